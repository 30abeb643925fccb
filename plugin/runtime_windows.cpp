// Two pieces of the C++ runtime, replaced in Moonfold.dll to keep it small.
//
// Moonfold.dll catches every exception at its exports and shows nothing of
// it to anyone, so neither the type nor the text of an exception carries any
// information out of the DLL.  libstdc++'s own versions of these functions
// bring in its std::string, its exception classes with their messages, and
// the demangler; together about 150 KB of a plug-in that is otherwise a few
// tens of KB.
#include <cstdlib>
#include <new>

namespace __gnu_cxx {

// std::terminate is unreachable: nothing throws past the exports.  The
// default handler prints the demangled type of the exception first.
void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx

namespace std {

// The standard containers report a failure to get memory, or a size past
// max_size() (which the plug-in's texts never approach), through these.
// Each is an allocation that could not be made, and Initialize treats it as
// such: whatever the container, it throws std::bad_alloc, which needs no
// std::string to carry a message.
void __throw_bad_alloc() { throw std::bad_alloc(); }
void __throw_bad_array_new_length() { throw std::bad_alloc(); }
void __throw_length_error(const char*) { throw std::bad_alloc(); }
void __throw_logic_error(const char*) { throw std::bad_alloc(); }

}  // namespace std
