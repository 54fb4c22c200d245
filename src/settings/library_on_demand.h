#pragma once

#include <dlfcn.h>

// How the program opens a library it loads on first use (SQLite, libcurl):
// bound lazily, kept to itself, and looking in its own group of libraries
// first. A library bound at load (Debian builds them with BIND_NOW) would
// otherwise look up each of its symbols through the program's Qt and ICU
// libraries: the own group first makes SQLite's load about ten times and
// libcurl's a third cheaper. The sanitizers' runtime refuses such a group.
#if defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define KESTRUM_SANITIZED 1 // clang's spelling
#endif
#endif

namespace kestrum {

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__) || defined(KESTRUM_SANITIZED)
constexpr int kOnDemandLibraryFlags = RTLD_LAZY | RTLD_LOCAL;
#else
constexpr int kOnDemandLibraryFlags = RTLD_LAZY | RTLD_LOCAL | RTLD_DEEPBIND;
#endif

} // namespace kestrum
