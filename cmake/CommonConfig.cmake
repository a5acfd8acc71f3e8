# Standard, warnings and Qt defines shared by every target.
add_library(pfanno_common INTERFACE)
target_compile_features(pfanno_common INTERFACE cxx_std_20)
target_compile_definitions(pfanno_common INTERFACE
  QT_USE_QSTRINGBUILDER
  QT_DISABLE_DEPRECATED_UP_TO=0x060000)
target_compile_options(pfanno_common INTERFACE -Wall -Wextra -Wno-unused-parameter)
if(PFANNO_WERROR)
  target_compile_options(pfanno_common INTERFACE -Werror)
endif()
if(PFANNO_SANITIZE)
  target_compile_options(pfanno_common INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(pfanno_common INTERFACE -fsanitize=address,undefined)
endif()
