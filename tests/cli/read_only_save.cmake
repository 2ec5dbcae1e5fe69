# rankhall-cli save over a read-only file: refused without --force (the file keeps its bytes),
# replaced with it; a writable file is replaced as before.
include(${CMAKE_CURRENT_LIST_DIR}/support/cli_helpers.cmake)
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")

set(demo "${SOURCE_DIR}/examples/demo.qmc")
set(target "${WORK_DIR}/kept.qmc")
file(WRITE "${target}" "the director's own copy\n")
file(CHMOD "${target}" PERMISSIONS OWNER_READ GROUP_READ WORLD_READ)

run_cli(out err rc save "${demo}" -o "${target}")
expect_equal("${rc}" 1 "save over a read-only file")
expect_contains("${err}" "not saved: ${target} is read-only (--force replaces it)" "the refusal")
file(READ "${target}" kept)
expect_equal("${kept}" "the director's own copy\n" "the read-only file after the refusal")

run_cli(out err rc save "${demo}" -o "${target}" --force)
expect_equal("${rc}" 0 "save --force over a read-only file")
file(READ "${target}" replaced)
expect_lacks("${replaced}" "the director's own copy" "the read-only file after --force")

set(writable "${WORK_DIR}/writable.qmc")
file(WRITE "${writable}" "old\n")
run_cli(out err rc save "${demo}" -o "${writable}")
expect_equal("${rc}" 0 "save over a writable file")
