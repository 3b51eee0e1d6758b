# Warnings for the project's own code (the framework's sources keep their own).
function(quillet_set_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wno-unused-parameter)
endfunction()
