# Compiler settings for the project's own code (added after googletest, so it is not affected).
if(MSVC)
  add_compile_options(/W4 /WX /permissive- /utf-8)
else()
  add_compile_options(-Wall -Wextra -Wshadow -Wimplicit-fallthrough -Wformat=2 -Werror)
endif()

if(WIN32)
  # ANSI Win32 API throughout: UNICODE stays undefined on purpose.
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX STRICT _WIN32_WINNT=0x0A00 WINVER=0x0A00
                          _WIN32_IE=0x0A00)
endif()

if(ARDENIX_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

if(ARDENIX_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
