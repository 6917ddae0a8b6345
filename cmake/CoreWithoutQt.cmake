# The core library must build without Qt. Fail the configure step when any
# source under the core folders includes a Qt header, so the rule cannot erode.
function(tl_check_core_without_qt)
    set(core_dirs model storage import rules actions output sample)
    set(offenders "")
    foreach(dir IN LISTS core_dirs)
        file(GLOB_RECURSE files CONFIGURE_DEPENDS
            "${PROJECT_SOURCE_DIR}/src/${dir}/*.h"
            "${PROJECT_SOURCE_DIR}/src/${dir}/*.cpp")
        foreach(f IN LISTS files)
            file(STRINGS "${f}" hits REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]Q[A-Za-z]")
            if(hits)
                list(APPEND offenders "${f}")
            endif()
        endforeach()
    endforeach()
    if(offenders)
        list(JOIN offenders "\n  " text)
        message(FATAL_ERROR "Qt headers are included in the core library:\n  ${text}")
    endif()
endfunction()
tl_check_core_without_qt()
