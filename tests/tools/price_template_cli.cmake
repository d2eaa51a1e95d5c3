# Runs "brumalis-edi price-template" as a sales office would: a prices file
# for a small catalogue, refusing damaged catalogues (exit code 1, previous
# output kept) and bad usage (exit code 2).
include("${CMAKE_CURRENT_LIST_DIR}/cli_helpers.cmake")

# Two units, written with only the fields the template needs; the others
# take their defaults.
file(WRITE "${WORK}/units.edi"
  "EDI100\r\n5 17 Tbl_ChOutdoorUnit 94\r\n5 6 OUT_ID 2\r\n5 8 Fld_Name 10\r\n0\r\n0\r\n"
  "2 94 2 0 2 2 2 9\r\n2 4 10 9 EWAD 120A \r\n2 9 10 11 EWYQ 8,5 HP \r\n0\r\n")

run(0 price-template "${WORK}/units.edi" "${WORK}/prices.qxz")
expect_match("${last_out}" "prices.qxz: 1 header, 2 price entries")
file(READ "${WORK}/prices.qxz" head LIMIT 3 HEX)
expect_match("${head}" "^51585a$")
run(0 dump "${WORK}/prices.qxz")
expect_match("${last_out}" "table Tbl_PriceAndPrefsFile \\(class 236, parent -1\\): 1 records")
expect_match("${last_out}" "table Tbl_PriceEntry \\(class 234, parent -1\\): 2 records")
expect_match("${last_out}" "Fld_RefClsID=94 Fld_RefObjID=4 [^\n]*Fld_InstallationCost=0 Fld_Name=\"EWAD 120A\" [^\n]*Fld_MaterialCost=0\n")
expect_match("${last_out}" "Fld_RefClsID=94 Fld_RefObjID=9 [^\n]*Fld_Name=\"EWYQ 8,5 HP\" [^\n]*Fld_MaterialCost=0\n")

# A catalogue without units still gives a valid file: the header alone.
run(0 schema "${WORK}/empty.edi")
run(0 price-template "${WORK}/empty.edi" "${WORK}/empty.qxz")
expect_match("${last_out}" "1 header, 0 price entries")
run(0 check "${WORK}/empty.qxz")
expect_match("${last_out}" "OK, [0-9]+ tables, 1 records")

# Damaged or missing catalogues: exit 1, one line naming the file, and the
# previous output left as it was.
file(WRITE "${WORK}/keep.qxz" "previous")
foreach(damaged IN ITEMS "${DATA}/damaged/truncated.edi" "${DATA}/damaged/flipped-byte.qxz"
                         "${DATA}/damaged/duplicate-id.edi" "${WORK}/no-such-catalogue.edi")
  run(1 price-template "${damaged}" "${WORK}/keep.qxz")
  expect_match("${last_err}" "^brumalis-edi: [^\n]+: [^\n]+\n$")
  file(READ "${WORK}/keep.qxz" kept)
  expect_match("${kept}" "^previous$")
endforeach()

# Usage.
run(2 price-template "${WORK}/units.edi")
run(2 price-template "${WORK}/units.edi" "${WORK}/a.qxz" "${WORK}/b.qxz")
run(0 price-template --help)
expect_match("${last_out}" "usage: brumalis-edi price-template CATALOGUE OUT")
run(0 --help)
expect_match("${last_out}" "price-template CATALOGUE OUT")
