# Precompiled headers for a tree's C++ targets. Most of a file's compile
# time in the Windows build goes to reading <windows.h> and the standard
# library's headers; a precompiled copy of them is read instead, one copy
# for each set of compile options the targets use (the system's libraries
# without exceptions, the programs and tests with them), built once a tree.
#
# The header itself (cmake/precompiled.h) only includes what the files
# already include through platform/win_types.h and the standard library, so
# a file compiles the same with or without it. The Linux build gains less
# (its Windows types are a few lines), most in the tests.

function(vellmark_collect_targets dir out)
  get_property(targets DIRECTORY "${dir}" PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY "${dir}" PROPERTY SUBDIRECTORIES)
  foreach(sub IN LISTS subdirs)
    vellmark_collect_targets("${sub}" more)
    list(APPEND targets ${more})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

# Every C++ library and program of the tree reuses the precompiled headers
# of its option set. Targets of C or resources only are left as they are, and
# so is a target that names headers of its own to precompile (the test
# suite, with GoogleTest's).
function(vellmark_precompile_headers)
  file(WRITE "${CMAKE_BINARY_DIR}/precompiled.cpp" "// The precompiled headers' own target.\n")
  add_library(vm_precompiled STATIC "${CMAKE_BINARY_DIR}/precompiled.cpp")
  target_compile_options(vm_precompiled PRIVATE ${VELLMARK_NO_EXCEPTIONS})
  target_precompile_headers(vm_precompiled PRIVATE "${CMAKE_SOURCE_DIR}/cmake/precompiled.h")
  add_library(vm_precompiled_exceptions STATIC "${CMAKE_BINARY_DIR}/precompiled.cpp")
  target_precompile_headers(vm_precompiled_exceptions PRIVATE "${CMAKE_SOURCE_DIR}/cmake/precompiled.h")

  vellmark_collect_targets("${CMAKE_SOURCE_DIR}" targets)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(NOT type MATCHES "^(STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|EXECUTABLE)$"
       OR target MATCHES "^vm_precompiled")
      continue()
    endif()
    get_target_property(sources ${target} SOURCES)
    list(FILTER sources INCLUDE REGEX "\\.cpp$")
    if(NOT sources)
      continue()
    endif()
    get_target_property(own ${target} PRECOMPILE_HEADERS)
    if(own)
      continue()
    endif()
    get_target_property(options ${target} COMPILE_OPTIONS)
    if("-fno-exceptions" IN_LIST options)
      target_precompile_headers(${target} REUSE_FROM vm_precompiled)
    else()
      target_precompile_headers(${target} REUSE_FROM vm_precompiled_exceptions)
    endif()
  endforeach()
endfunction()
