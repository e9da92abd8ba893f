# High warning levels for our own targets; third-party code is built without.
function(tarvic_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /permissive-)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
      -Wconversion -Wsign-conversion -Wnon-virtual-dtor -Wold-style-cast
      -Wcast-align -Woverloaded-virtual -Wnull-dereference -Wimplicit-fallthrough)
  endif()
endfunction()

# A static library from the sources matching the globs; an interface library
# while a folder has no sources yet.
function(tarvic_library name)
  cmake_parse_arguments(ARG "" "" "GLOBS;EXCLUDE;LINK" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${ARG_GLOBS})
  foreach(ex IN LISTS ARG_EXCLUDE)
    list(FILTER sources EXCLUDE REGEX "${ex}")
  endforeach()
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_LINK})
    tarvic_warnings(${name})
    tarvic_program_flags(${name})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_LINK})
  endif()
endfunction()

# The programs' own code uses no exceptions; leaving out the unwind tables
# keeps the Windows programs small. Test programs keep the defaults.
function(tarvic_program_flags target)
  if(MINGW)
    target_compile_options(${target} PRIVATE -fno-exceptions -fno-asynchronous-unwind-tables
                           -fno-unwind-tables)
  endif()
endfunction()
