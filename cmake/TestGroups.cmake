# CTest tests that each run a group of a gtest program's tests in one process: every test suite of
# the program, split into groups of at most GROUP_SIZE tests. A test process under the sanitizers
# takes a good part of a second to start (and a widget program its application), so one process per
# test spent more time starting than testing.
#
#   hv_discover_test_groups(test_pages GROUP_SIZE 6 TEST_FILTER "-Slow.*" COST 3
#                           SLOW "Table/PageRegistryOpening=20" PROPERTIES LABELS e2e)
#
# The program is listed when CTest runs (a build without a new listing needs no configure). A group
# is named after its suite, "Suite" when it holds the whole suite, else "Suite#1", "Suite#2", ...
# COST is the estimated seconds per test, so that CTest starts the long groups first on a build tree
# without timings of its own. A suite listed in SLOW as "Suite=seconds" takes that long a test: each
# of its tests is a CTest test of its own ("Suite.Test"), with that cost. A group where every test
# skipped ends with the code 77 (the test main) and shows as skipped.

set(HV_TEST_GROUPS_SCRIPT ${CMAKE_CURRENT_LIST_FILE})

function(hv_discover_test_groups target)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "GROUP_SIZE;TEST_FILTER;COST" "SLOW;PROPERTIES")
    get_property(counter TARGET ${target} PROPERTY HV_TEST_GROUP_COUNTER)
    if(NOT counter)
        set(counter 0)
    endif()
    math(EXPR counter "${counter} + 1")
    set_property(TARGET ${target} PROPERTY HV_TEST_GROUP_COUNTER ${counter})
    set(base "${CMAKE_CURRENT_BINARY_DIR}/${target}[${counter}]")
    set(exe "$<TARGET_FILE:${target}>")
    string(CONCAT content
        "if(EXISTS \"${exe}\")\n"
        "  if(NOT EXISTS \"${base}_groups.cmake\" OR\n"
        "     NOT \"${base}_groups.cmake\" IS_NEWER_THAN \"${exe}\" OR\n"
        "     NOT \"${base}_groups.cmake\" IS_NEWER_THAN \"\${CMAKE_CURRENT_LIST_FILE}\" OR\n"
        "     NOT \"${base}_groups.cmake\" IS_NEWER_THAN \"${HV_TEST_GROUPS_SCRIPT}\")\n"
        "    include(\"${HV_TEST_GROUPS_SCRIPT}\")\n"
        "    hv_test_groups_write([==[${exe}]==] [==[${base}_groups.cmake]==]\n"
        "      [==[${CMAKE_CURRENT_BINARY_DIR}]==] [==[${arg_GROUP_SIZE}]==] [==[${arg_TEST_FILTER}]==]\n"
        "      [==[${arg_COST}]==] [==[${arg_SLOW}]==] [==[${arg_PROPERTIES}]==])\n"
        "  endif()\n"
        "  include(\"${base}_groups.cmake\")\n"
        "else()\n"
        "  add_test(${target}_NOT_BUILT ${target}_NOT_BUILT)\n"
        "endif()\n")
    file(GENERATE OUTPUT "${base}_include.cmake" CONTENT "${content}")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${base}_include.cmake")
endfunction()

# At CTest time: lists the program's tests and writes the add_test of each group to out.
function(hv_test_groups_write exe out workdir group_size filter group_cost slow properties)
    set(args "")
    if(filter)
        set(args "--gtest_filter=${filter}")
    endif()
    execute_process(COMMAND "${exe}" --gtest_list_tests ${args} WORKING_DIRECTORY "${workdir}"
                    TIMEOUT 30 OUTPUT_VARIABLE listing RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "${exe} --gtest_list_tests: ${rc}\n${listing}")
    endif()
    string(REPLACE ";" "\\;" listing "${listing}")
    string(REPLACE "\n" ";" listing "${listing}")
    set(suites "")
    foreach(line ${listing})
        if(line MATCHES "^([^ #][^ ]*)\\.")
            set(suite "${CMAKE_MATCH_1}")
            list(APPEND suites "${suite}")
            set(tests_${suite} "")
        elseif(line MATCHES "^  ([^ ]+)")
            list(APPEND tests_${suite} "${CMAKE_MATCH_1}")
        endif()
    endforeach()
    set(script "")
    foreach(suite ${suites})
        set(size ${group_size})
        set(cost ${group_cost})
        foreach(entry ${slow})
            if(entry MATCHES "^(.+)=([0-9]+)$" AND suite STREQUAL CMAKE_MATCH_1)
                set(size 1)
                set(cost ${CMAKE_MATCH_2})
            endif()
        endforeach()
        list(LENGTH tests_${suite} count)
        math(EXPR groups "(${count} + ${size} - 1) / ${size}")
        foreach(g RANGE 1 ${groups})
            math(EXPR first "(${g} - 1) * ${count} / ${groups}")
            math(EXPR end "${g} * ${count} / ${groups}")
            if(groups EQUAL 1)
                set(name "${suite}")
                set(selection "${suite}.*")
            else()
                set(name "${suite}#${g}")
                if(size EQUAL 1)
                    list(GET tests_${suite} ${first} test)
                    set(name "${suite}.${test}")
                endif()
                set(selection "")
                math(EXPR last "${end} - 1")
                foreach(i RANGE ${first} ${last})
                    list(GET tests_${suite} ${i} test)
                    string(APPEND selection ":${suite}.${test}")
                endforeach()
                string(SUBSTRING "${selection}" 1 -1 selection)
            endif()
            math(EXPR n "${end} - ${first}")
            if(cost)
                math(EXPR estimate "${n} * ${cost}")
                set(costs COST ${estimate})
            else()
                set(costs "")
            endif()
            string(APPEND script
                "add_test([==[${name}]==] [==[${exe}]==] [==[--gtest_filter=${selection}]==])\n"
                "set_tests_properties([==[${name}]==] PROPERTIES WORKING_DIRECTORY [==[${workdir}]==]"
                " SKIP_RETURN_CODE 77 ${costs} ${properties})\n")
        endforeach()
    endforeach()
    file(WRITE "${out}" "${script}")
endfunction()
