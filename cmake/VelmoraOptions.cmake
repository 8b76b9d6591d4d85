# Warnings and sanitizers shared by every target of the project.
add_compile_options(-Wall -Wextra)

if(VELMORA_ASAN AND VELMORA_TSAN)
  message(FATAL_ERROR "VELMORA_ASAN and VELMORA_TSAN cannot be combined")
endif()
# Sanitizer builds stay lean: light optimisation and line tables only (enough for the stacks of
# the reports) compile much faster than the release flags they override.
if(VELMORA_ASAN OR VELMORA_TSAN)
  add_compile_options(-O1 -g1)
endif()
if(VELMORA_ASAN)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
if(VELMORA_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "VELMORA_FUZZ needs clang (CXX=clang++)")
  endif()
  # Coverage feedback from every library the targets reach, not only from the targets.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
if(VELMORA_TSAN)
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()

# Found once here so that every folder, tests included, sees the same imported targets.
find_package(Threads REQUIRED)
find_package(TBB REQUIRED)
find_package(SQLite3 REQUIRED)
find_package(pugixml REQUIRED)
find_package(Boost 1.74 REQUIRED COMPONENTS serialization)
find_package(GTest REQUIRED)
include(GoogleTest)
if(VELMORA_BENCH)
  find_package(benchmark REQUIRED)
endif()
