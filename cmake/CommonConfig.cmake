# Settings shared by every target of the project: language level, warnings, sanitizers.
add_library(tl_common INTERFACE)
add_library(tl::common ALIAS tl_common)

target_compile_features(tl_common INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)

if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(tl_common INTERFACE
        -Wall -Wextra -Wpedantic -Wconversion -Wsign-conversion -Wshadow
        -Wnon-virtual-dtor -Woverloaded-virtual -Wcast-qual -Wformat=2
        -Wimplicit-fallthrough)
    if(TL_WERROR)
        target_compile_options(tl_common INTERFACE -Werror)
    endif()
    if(TL_SANITIZE)
        target_compile_options(tl_common INTERFACE
            -fsanitize=${TL_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
        target_link_options(tl_common INTERFACE -fsanitize=${TL_SANITIZE})
    endif()
elseif(MSVC)
    target_compile_options(tl_common INTERFACE /W4 /permissive- /utf-8)
    if(TL_WERROR)
        target_compile_options(tl_common INTERFACE /WX)
    endif()
endif()
