# Writes the source file that stamps plant-client with the time of its build, in the compiler's
# texts ("Nov 18 2022", "15:42:36", local time). Run on every build of plant-client:
#   cmake -DOUT=<file> -P build_time.cmake
# SOURCE_DATE_EPOCH, when set, gives the time instead of the clock (a reproducible build).
string(TIMESTAMP now "%Y %m %d %H:%M:%S")
string(REPLACE " " ";" parts "${now}")
list(GET parts 0 year)
list(GET parts 1 month)
list(GET parts 2 day)
list(GET parts 3 time)
set(names Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
math(EXPR index "${month} - 1")
list(GET names ${index} name)
# The compiler writes the day right-aligned in two places.
string(REGEX REPLACE "^0" " " day "${day}")

file(WRITE "${OUT}.tmp" "// Written by cmake/build_time.cmake on every build of plant-client.
#include \"app/build_stamp.h\"

BuildStamp programBuildStamp() {
    return buildStampFrom(\"${name} ${day} ${year}\", \"${time}\");
}
")
file(RENAME "${OUT}.tmp" "${OUT}")
