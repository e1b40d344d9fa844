# Warnings for our own targets: on, and errors.
function(kalmeno_target_defaults target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()
