# Runs brumalis-gls as a translator would: the shipped user-interface
# glossary, a round trip through the text form, a damaged text form (exit
# code 1 with a message), bad usage (exit code 2) and the missing-terms list.
include("${CMAKE_CURRENT_LIST_DIR}/cli_helpers.cmake")

# The shipped glossary reads as Russian text.
file(READ "${UIGLOSSARY}" head LIMIT 3 HEX)
expect_match("${head}" "^51585a$")
run(0 dump "${UIGLOSSARY}")
set(shipped "${last_out}")
expect_match("${shipped}" "^@language 1049\n@charset 204\n")
expect_match("${shipped}" "\nUninstall\tУдаление\n")
expect_match("${shipped}" "\nPage \\$1\tСтраница \\$1\n")
expect_match("${shipped}" "\n\\\\@100%\tпри 100%\n")

# The dump is a text form again: built plain and compressed, both dump alike.
file(WRITE "${WORK}/shipped.txt" "${shipped}")
run(0 build "${WORK}/shipped.txt" "${WORK}/plain.gls" --plain)
file(READ "${WORK}/plain.gls" head LIMIT 4 HEX)
expect_match("${head}" "^474c5333$")
run(0 dump "${WORK}/plain.gls")
if(NOT last_out STREQUAL shipped)
  message(FATAL_ERROR "the plain rebuild dumps differently:\n${last_out}")
endif()
run(0 build "${WORK}/shipped.txt" "${WORK}/compressed.gls")
file(READ "${WORK}/compressed.gls" head LIMIT 3 HEX)
expect_match("${head}" "^51585a$")
run(0 dump "${WORK}/compressed.gls")
if(NOT last_out STREQUAL shipped)
  message(FATAL_ERROR "the compressed rebuild dumps differently:\n${last_out}")
endif()

# Damaged text forms: exit 1, one line naming the file and the line, and no
# output file.
file(WRITE "${WORK}/bad-escape.txt" "@language 1049\n@charset 204\nPage \\q\tСтраница\n")
file(WRITE "${WORK}/no-header.txt" "@language 1049\nCancel\tОтмена\n")
file(WRITE "${WORK}/not-russian.txt" "@language 1049\n@charset 204\nCancel\tΑκύρωση\n")
foreach(name bad-escape no-header not-russian)
  run(1 build "${WORK}/${name}.txt" "${WORK}/${name}.gls")
  expect_match("${last_err}" "^brumalis-gls: [^\n]*${name}\\.txt: line [23]: [^\n]+\n$")
  if(EXISTS "${WORK}/${name}.gls")
    message(FATAL_ERROR "a failed build left ${name}.gls")
  endif()
endforeach()
run(1 build "${WORK}/no-such-file.txt" "${WORK}/never.gls")
expect_match("${last_err}" "^brumalis-gls: [^\n]*no-such-file\\.txt: [^\n]+\n$")
run(1 dump "${WORK}/shipped.txt")
expect_match("${last_err}" "shipped\\.txt: not a readable GLS3 glossary")

# Usage.
run(2)
run(2 frobnicate)
run(2 dump)
run(2 build "${WORK}/shipped.txt")
run(2 build "${WORK}/shipped.txt" "${WORK}/x.gls" --zip)
run(2 missing "${UIGLOSSARY}" "${WORK}/terms.txt")
run(0 --help)
expect_match("${last_out}" "missing FILE --terms TERMS")

# Missing terms: only the one the glossary lacks, escaped as in the text form.
file(WRITE "${WORK}/terms.txt" "# captions of a new dialog\nUninstall\n\\@100%\nFrobnicator capacity\n\nuninstall\n")
run(0 missing "${UIGLOSSARY}" --terms "${WORK}/terms.txt")
if(NOT last_out STREQUAL "Frobnicator capacity\nuninstall\n")
  message(FATAL_ERROR "missing listed:\n${last_out}")
endif()
