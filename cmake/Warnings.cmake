# Strict warnings for every target of the project: inkwarde_warnings(target)
function(inkwarde_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
    -Wnon-virtual-dtor -Wcast-align -Wunused -Woverloaded-virtual -Wnull-dereference
    -Wimplicit-fallthrough)
  if(INKWARDE_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
