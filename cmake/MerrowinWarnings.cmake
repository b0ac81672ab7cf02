# Every target of ours gets the same warnings; CI turns them into errors.
function(merrowin_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                           -Wimplicit-fallthrough)
  if(MERROWIN_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
