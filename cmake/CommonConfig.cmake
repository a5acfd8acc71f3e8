# SPDX-License-Identifier: GPL-3.0-or-later
# Standard, warnings and Qt defines shared by every target.
add_library(pfanno_common INTERFACE)
target_compile_features(pfanno_common INTERFACE cxx_std_20)
target_compile_definitions(pfanno_common INTERFACE
  QT_USE_QSTRINGBUILDER
  QT_NO_KEYWORDS
  QT_DISABLE_DEPRECATED_UP_TO=0x060000)
target_compile_options(pfanno_common INTERFACE -Wall -Wextra -Wpedantic -Woverloaded-virtual -Wnon-virtual-dtor
  -Wold-style-cast -Wcast-qual -Wshadow)
if(PFANNO_WERROR)
  target_compile_options(pfanno_common INTERFACE -Werror)
endif()
if(PFANNO_SANITIZE)
  target_compile_options(pfanno_common INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(pfanno_common INTERFACE -fsanitize=address,undefined)
endif()

# The program's own code never turns a byte string into text implicitly: every text states its
# encoding (QStringLiteral, QLatin1String, fromUtf8). Tests and benchmarks keep plain literals in
# their tables of cases.
add_library(pfanno_strikt INTERFACE)
target_compile_definitions(pfanno_strikt INTERFACE QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII
  QT_NO_CAST_FROM_BYTEARRAY)
