# Replays every fuzz target's seeds with the ordinary compiler, so that they keep passing
# without clang: each target's entry point linked with a driver that feeds it the files of
# seeds/<name>/. Included by the tests; labelled "fuzz".
include(${CMAKE_CURRENT_LIST_DIR}/FuzzTargets.cmake)
foreach(_name ${LINDORA_FUZZ_TARGETS})
  add_executable(replay_${_name} ${CMAKE_CURRENT_LIST_DIR}/fuzz_${_name}.cpp ${CMAKE_CURRENT_LIST_DIR}/ReplayMain.cpp)
  target_link_libraries(replay_${_name} PRIVATE ${LINDORA_FUZZ_LIBS_${_name}})
  add_test(NAME fuzz_seeds.${_name} COMMAND replay_${_name} ${CMAKE_CURRENT_LIST_DIR}/seeds/${_name})
  set_tests_properties(fuzz_seeds.${_name} PROPERTIES LABELS fuzz)
endforeach()
