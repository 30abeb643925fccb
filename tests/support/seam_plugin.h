// A test build of the exported functions, bound to a FakePlatform instead of
// the machine: the same exports.cpp that ships, with the clock, the
// configuration and the messages in the test's hands.
#pragma once

#include "plugin/moonfold.h"
#include "plugin/moonfold_plugin.h"
#include "tests/support/fake_platform.h"

namespace moonfold::testing {

FakePlatform& SeamPlatform();

// The plug-in state behind the exports, for inspection.
const MoonfoldPlugin& SeamPlugin();

}  // namespace moonfold::testing
