# Fails if the engine library holds a fused multiply-add: one rounding where the chain defines two
# changes its bits, and GCC contracts a * b + c by default on aarch64 and with -march=...fma.
# usage: cmake -DOBJDUMP=<objdump> -DLIBRARY=<library> -P NoFusedMultiplyAdd.cmake
execute_process(COMMAND "${OBJDUMP}" -d --no-show-raw-insn "${LIBRARY}"
                OUTPUT_VARIABLE code RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT code MATCHES "\t")
    message(FATAL_ERROR "${OBJDUMP} could not disassemble ${LIBRARY}")
endif()
# x86: vfmadd231ps, vfnmsub132ss, ...; aarch64: fmadd, fnmsub, fmla, fmls.
string(REGEX MATCHALL "[^\n]*\t(v?fn?m(add|sub)[0-9a-z]*|fml[as])[ \t][^\n]*" fused "${code}")
if(fused)
    list(JOIN fused "\n" listing)
    message(FATAL_ERROR "fused multiply-adds in ${LIBRARY}:\n${listing}")
endif()
message(STATUS "no fused multiply-add in ${LIBRARY}")
