# Flags shared by every target of ours.
#
# Floating point: float and double arithmetic runs on SSE2 in both builds,
# so it rounds exactly at every operation; only the converter's explicit
# long double steps use the x87 unit, whose 64-bit significand is the
# intended intermediate format. No contraction into fused multiply-adds.
set(QUENDREL_WARNINGS -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion)
set(QUENDREL_FP -ffp-contract=off -fno-fast-math)
if(WIN32)
  list(APPEND QUENDREL_FP -msse2 -mfpmath=sse)
endif()

function(quendrel_target_flags target)
  target_compile_options(${target} PRIVATE ${QUENDREL_WARNINGS} ${QUENDREL_FP})
  if(WIN32)
    # Texts of the program are stored in code page 936; the sources are UTF-8.
    target_compile_options(${target} PRIVATE -fexec-charset=GBK)
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
  endif()
endfunction()

# The program itself: small, no exceptions or RTTI, unused sections dropped.
function(quendrel_program_flags target)
  quendrel_target_flags(${target})
  target_compile_options(${target} PRIVATE -Os -fno-exceptions -fno-rtti
    -ffunction-sections -fdata-sections -fno-asynchronous-unwind-tables)
  target_link_options(${target} PRIVATE -mwindows -Wl,--gc-sections -s)
endfunction()
