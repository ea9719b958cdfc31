# quandor_warnings(target): the project's warning set, errors when QUANDOR_WERROR is on.
function(quandor_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                           -Wno-sign-conversion -Wnon-virtual-dtor)
  if(QUANDOR_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
