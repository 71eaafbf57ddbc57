# Warnings are errors for every target of the project.
function(talver_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror -Wshadow -Wnon-virtual-dtor
    -Wold-style-cast -Wcast-align -Woverloaded-virtual -Wimplicit-fallthrough)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # When optimising, GCC 12 reports impossible overlaps inside std::string concatenation
    # (its bug 105329) and "maybe uninitialized" strings inside std::optional (bug 105562);
    # neither says anything about our code.
    target_compile_options(${target} PRIVATE -Wno-restrict -Wno-maybe-uninitialized)
  endif()
endfunction()

# Makes the headers of `folder` includable as "<spelling>/Header.h" by `target` (and, PUBLIC or
# INTERFACE, by what links it): a folder of the build tree holds nothing but a link of that name,
# so that no include path reaches the source root and a target sees only the folders of what it
# links. A wrong-way include fails to compile.
function(talver_expose target scope spelling folder)
  set(root ${CMAKE_BINARY_DIR}/include/${target})
  get_filename_component(parent ${root}/${spelling} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  file(CREATE_LINK ${folder} ${root}/${spelling} SYMBOLIC)
  target_include_directories(${target} ${scope} ${root})
endfunction()

# A core library of one subsystem folder: every .cpp of the folder, its headers included as
# "<folder>/Header.h", linked with exactly the subsystems it includes (DEPENDS) and with what
# only its sources use and its users never see (PRIVATE_DEPENDS).
function(talver_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS;PRIVATE_DEPENDS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  talver_expose(${name} PUBLIC ${folder} ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS} PRIVATE ${ARG_PRIVATE_DEPENDS})
  talver_warnings(${name})
endfunction()
