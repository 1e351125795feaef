# Every target of ours builds warning-free with -Wall -Wextra; warnings are
# errors so that a new one cannot slip in unnoticed.
function(korvane_set_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()
