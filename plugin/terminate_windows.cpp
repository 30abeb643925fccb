// Moonfold.dll catches every exception at its exports, so std::terminate is
// unreachable in practice.  libstdc++'s default handler prints the
// exception's demangled type name, which links the whole demangler into the
// DLL (about 150 KB of a plug-in that is otherwise a few tens of KB).  This
// handler ends the process just as plainly, without it.
#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
