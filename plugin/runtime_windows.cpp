// Pieces of the C++ runtime, replaced in Moonfold.dll to keep it small.
//
// Moonfold.dll catches every exception at its exports and shows nothing of
// it to anyone, so neither the type nor the text of an exception carries any
// information out of the DLL.  libstdc++'s own versions of these functions
// bring in its std::string, its exception classes with their messages, and
// the demangler; together about 150 KB of a plug-in that is otherwise a few
// tens of KB.
//
// The throw helpers below are the whole of libstdc++'s functexcept.o, all
// fifteen of them: replacing only the ones the plug-in happens to call
// today would make the next .at() or .substr() pull that object in beside
// them and fail the link with a duplicate definition.  The runtime_check
// library (plugin/runtime_check.cpp) calls every one, and is linked in the
// same way, so a helper missing here fails the build.
#include <cstdlib>
#include <new>

namespace __gnu_cxx {

// std::terminate is unreachable: nothing throws past the exports.  The
// default handler prints the demangled type of the exception first.
void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx

namespace std {

// Each is a failure that the plug-in treats as it treats running out of
// memory: the exports catch it and the host carries on, with every text its
// old one or a complete new one.  std::bad_alloc needs no std::string to
// carry a message.
void __throw_bad_alloc() { throw std::bad_alloc(); }
void __throw_bad_array_new_length() { throw std::bad_alloc(); }
void __throw_bad_cast() { throw std::bad_alloc(); }
void __throw_bad_exception() { throw std::bad_alloc(); }
void __throw_bad_typeid() { throw std::bad_alloc(); }
void __throw_domain_error(const char*) { throw std::bad_alloc(); }
void __throw_invalid_argument(const char*) { throw std::bad_alloc(); }
void __throw_length_error(const char*) { throw std::bad_alloc(); }
void __throw_logic_error(const char*) { throw std::bad_alloc(); }
void __throw_out_of_range(const char*) { throw std::bad_alloc(); }
void __throw_out_of_range_fmt(const char*, ...) { throw std::bad_alloc(); }
void __throw_overflow_error(const char*) { throw std::bad_alloc(); }
void __throw_range_error(const char*) { throw std::bad_alloc(); }
void __throw_runtime_error(const char*) { throw std::bad_alloc(); }
void __throw_underflow_error(const char*) { throw std::bad_alloc(); }

}  // namespace std
