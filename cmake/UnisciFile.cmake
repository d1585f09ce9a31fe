# Joins the files PEZZI, in order, into USCITA (bytes as they are).
file(WRITE "${USCITA}.tmp" "")
foreach(pezzo ${PEZZI})
  file(READ "${pezzo}" testo)
  file(APPEND "${USCITA}.tmp" "${testo}")
endforeach()
file(RENAME "${USCITA}.tmp" "${USCITA}")
