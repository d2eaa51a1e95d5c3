# Runs brumalis-edi as a user would: every command on the sample database,
# damaged inputs (exit code 1 with a message) and bad usage (exit code 2).
include("${CMAKE_CURRENT_LIST_DIR}/cli_helpers.cmake")
set(SAMPLE "${DATA}/controllers.edi")

# Round trips: plain and compressed, through every command.
run(0 compress "${SAMPLE}" "${WORK}/controllers.qxz")
file(READ "${WORK}/controllers.qxz" head LIMIT 3 HEX)
expect_match("${head}" "^51585a$")
run(0 expand "${WORK}/controllers.qxz" "${WORK}/expanded.edi")
expect_same_file("${SAMPLE}" "${WORK}/expanded.edi")
run(0 rewrite "${SAMPLE}" "${WORK}/rewritten.edi")
expect_same_file("${SAMPLE}" "${WORK}/rewritten.edi")
run(0 rewrite "${WORK}/controllers.qxz" "${WORK}/rewritten.qxz")
expect_same_file("${WORK}/controllers.qxz" "${WORK}/rewritten.qxz")
run(0 check "${WORK}/controllers.qxz")
expect_match("${last_out}" "OK, 2 tables, 5 records")
run(0 dump "${SAMPLE}")
expect_match("${last_out}" "table Tbl_ChController \\(class 81, parent -1\\): 2 records, largest ID 2")
expect_match("${last_out}" "CST_Controller_CLS_REF: Integer, default 0, link to class 81 integrity cascade-delete ordered")
expect_match("${last_out}" "CTL_Name=\"Inverter\\\\5Cfrequency drive\"")

# Damaged inputs: exit 1 and one line naming the file. (Kept as files: CMake
# strings cannot carry the CR of every line.)
file(GLOB damaged_files "${DATA}/damaged/*")
list(LENGTH damaged_files n_damaged)
if(n_damaged LESS 7)
  message(FATAL_ERROR "damaged samples missing")
endif()
foreach(damaged IN LISTS damaged_files)
  get_filename_component(name "${damaged}" NAME)
  run(1 check "${damaged}")
  expect_match("${last_err}" "^brumalis-edi: [^\n]*${name}: [^\n]+\n$")
  run(1 dump "${damaged}")
endforeach()
run(1 expand "${SAMPLE}" "${WORK}/never.edi")
expect_match("${last_err}" "not a compressed container")
if(EXISTS "${WORK}/never.edi")
  message(FATAL_ERROR "a failed command left an output file")
endif()
run(1 check "${WORK}/no-such-file.edi")

# A failed rewrite keeps the previous output.
file(WRITE "${WORK}/keep.edi" "previous")
run(1 rewrite "${DATA}/damaged/unknown-tag.edi" "${WORK}/keep.edi")
file(READ "${WORK}/keep.edi" kept)
expect_match("${kept}" "^previous$")

# Usage.
run(2)
run(2 frobnicate)
run(2 check)
run(2 compress "${SAMPLE}")
run(0 --help)
run(0 dump --help)
expect_match("${last_out}" "usage: brumalis-edi dump IN")

# Loading into the memory engine.
run(0 stats "${WORK}/controllers.qxz")
expect_match("${last_out}" "Tbl_ChControllerStep +class 86 +records 3 +largest ID 3")
expect_match("${last_out}" "2 tables, 5 records, [0-9]+ bytes of text loaded in [0-9.]+ ms")
run(1 stats "${DATA}/damaged/duplicate-id.edi")

# The data files built into the program, written out as stored.
run(0 blob DEVICE_DATABASE_REF "${WORK}/reference.edi")
expect_same_file("${WORK}/reference.edi" "${CATALOGUE}/device_database_ref.edi")
run(0 blob device_database "${WORK}/catalogue.qxz")
run(0 check "${WORK}/catalogue.qxz")
run(1 blob NO_SUCH_BLOB "${WORK}/none")
expect_match("${last_err}" "DEVICE_DATABASE, DEVICE_DATABASE_REF, CHILLER_PICTURES")

# The schema as an empty catalogue database.
run(0 schema "${WORK}/schema.edi")
run(0 dump "${WORK}/schema.edi")
expect_match("${last_out}" "table Tbl_ChOutdoorUnit \\(class 94, parent 168\\): 0 records")
