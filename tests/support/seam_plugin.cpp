#include "tests/support/seam_plugin.h"

#include "plugin/process_plugin.h"

namespace moonfold {
namespace {

testing::FakePlatform g_platform;
MoonfoldPlugin g_plugin{g_platform};

}  // namespace

MoonfoldPlugin& ProcessPlugin() noexcept { return g_plugin; }

namespace testing {

FakePlatform& SeamPlatform() { return g_platform; }
const MoonfoldPlugin& SeamPlugin() { return g_plugin; }

}  // namespace testing
}  // namespace moonfold
