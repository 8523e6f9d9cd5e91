# Every target of ours compiles with the same strict warnings, as errors.
add_library(zelvoran_warnings INTERFACE)
target_compile_options(zelvoran_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
  -Wcast-align -Woverloaded-virtual -Wconversion
  -Wnull-dereference -Wdouble-promotion -Wformat=2 -Werror)
# Keep QString conversions explicit: text from outside must go through
# the codecs, never through an implicit const char* conversion.
target_compile_definitions(zelvoran_warnings INTERFACE
  QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_CAST_FROM_BYTEARRAY
  QT_NO_NARROWING_CONVERSIONS_IN_CONNECT QT_NO_KEYWORDS)
