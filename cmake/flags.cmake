# Compiler settings shared by every target of the project.
# Strict IEEE double arithmetic: no fast-math, no contraction into fused multiply-add,
# and on 32-bit x86 SSE2 arithmetic instead of the x87 stack with its excess precision.
add_compile_options(-Wall -Wextra -Werror -ffp-contract=off -fno-fast-math)

if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(i.86|x86)$" OR CMAKE_CXX_COMPILER MATCHES "i686")
  add_compile_options(-msse2 -mfpmath=sse -mstackrealign)
endif()

if(CORVANE_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
