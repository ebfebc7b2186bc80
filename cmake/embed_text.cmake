# Writes the text of the gzip file IN as a C++ string literal to OUT
# (cmake -DGZIP=... -DIN=... -DOUT=... -P embed_text.cmake).
execute_process(COMMAND ${GZIP} -dc ${IN} OUTPUT_VARIABLE text RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cannot expand ${IN}")
endif()
file(WRITE ${OUT}.tmp "R\"tilvan_text(${text})tilvan_text\"\n")
file(RENAME ${OUT}.tmp ${OUT})
