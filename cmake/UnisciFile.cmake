# Joins the files PEZZI, in order, into USCITA (bytes as they are: file(READ)
# would drop the carriage returns of the CR LF line ends).
execute_process(COMMAND "${CMAKE_COMMAND}" -E cat ${PEZZI}
                OUTPUT_FILE "${USCITA}.tmp" RESULT_VARIABLE esito)
if(NOT esito EQUAL 0)
  message(FATAL_ERROR "Cannot join ${PEZZI} into ${USCITA}")
endif()
file(RENAME "${USCITA}.tmp" "${USCITA}")
