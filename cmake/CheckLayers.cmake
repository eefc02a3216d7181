# The layers' include directions: a file includes only its own layer and the layers below it. Run at
# configure time (included by the top CMakeLists.txt) and by the tests
# (cmake -DHV_ROOT=<tree> -P CheckLayers.cmake); a wrong include fails both.

if(NOT HV_ROOT)
    set(HV_ROOT ${CMAKE_SOURCE_DIR})
endif()

# The layer a file belongs to: its deepest layer folder.
function(hv_layer_of rel out)
    foreach(layer platform/forms library/snmp library/bind platform library module pages app sim)
        if(rel MATCHES "^${layer}/")
            set(${out} ${layer} PARENT_SCOPE)
            return()
        endif()
    endforeach()
    set(${out} "" PARENT_SCOPE)
endfunction()

# Whether text starts with one of the prefixes.
function(hv_starts_with text out)
    foreach(prefix ${ARGN})
        string(FIND "${text}" "${prefix}" at)
        if(at EQUAL 0)
            set(${out} TRUE PARENT_SCOPE)
            return()
        endif()
    endforeach()
    set(${out} FALSE PARENT_SCOPE)
endfunction()

# The folders (prefixes) each layer may include from, then the ones it may not even so.
set(hv_allow_platform platform/)
set(hv_deny_platform platform/forms/)
set(hv_allow_platform/forms platform/)
set(hv_deny_platform/forms)
set(hv_allow_library/snmp library/snmp/ library/HvException.h platform/)
set(hv_deny_library/snmp platform/forms/)
set(hv_allow_library library/ platform/)
set(hv_deny_library library/bind/ platform/forms/)
set(hv_allow_library/bind library/ platform/)
set(hv_deny_library/bind)
set(hv_allow_module module/ library/ platform/)
set(hv_deny_module library/snmp/)
set(hv_allow_pages pages/ module/ library/ platform/)
set(hv_deny_pages library/snmp/)
set(hv_allow_app app/ pages/ module/ library/ platform/)
set(hv_deny_app library/snmp/)
# The simulator shares only the object tables with the module.
set(hv_allow_sim sim/ module/Misc.h library/)
set(hv_deny_sim library/bind/ library/snmp/)

set(hv_faults "")
file(GLOB_RECURSE hv_files RELATIVE ${HV_ROOT}
    ${HV_ROOT}/platform/*.h ${HV_ROOT}/platform/*.cpp ${HV_ROOT}/library/*.h ${HV_ROOT}/library/*.cpp
    ${HV_ROOT}/module/*.h ${HV_ROOT}/module/*.cpp ${HV_ROOT}/pages/*.h ${HV_ROOT}/pages/*.cpp
    ${HV_ROOT}/app/*.h ${HV_ROOT}/app/*.cpp ${HV_ROOT}/sim/*.h ${HV_ROOT}/sim/*.cpp)
foreach(rel ${hv_files})
    hv_layer_of(${rel} layer)
    file(STRINGS ${HV_ROOT}/${rel} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line ${includes})
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" included "${line}")
        # A name without a folder is the including file's own folder.
        if(NOT included MATCHES "/")
            continue()
        endif()
        hv_starts_with("${included}" allowed ${hv_allow_${layer}})
        hv_starts_with("${included}" denied ${hv_deny_${layer}})
        if(NOT allowed OR denied)
            string(APPEND hv_faults "\n  ${rel} (${layer}) includes ${included}")
        endif()
    endforeach()
endforeach()

if(hv_faults)
    message(FATAL_ERROR "includes against the layers' direction:${hv_faults}")
endif()
