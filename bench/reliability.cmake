# Reliability figures: the soak of whole draws on the stage, and the fairness report of
# the digits. Both print figures; `make soak` and `make fairness` run them.
find_package(Threads REQUIRED)
foreach(name soak fairness)
  add_executable(tirvex_${name} ${CMAKE_CURRENT_LIST_DIR}/${name}.cpp)
  target_link_libraries(tirvex_${name} PRIVATE tirvex_core Threads::Threads)
endforeach()
# The soak starts real draws, which load the marker from beside the executable.
if(EXISTS ${TIRVEX_MARKER})
  add_custom_command(TARGET tirvex_soak POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${TIRVEX_MARKER} $<TARGET_FILE_DIR:tirvex_soak>/green.gif)
endif()
