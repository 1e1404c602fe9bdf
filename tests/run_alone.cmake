# Tests that measure time or processor use, run by ctest with no other test
# beside them (see CMakeLists.txt).
set_tests_properties(
  window.FramePace.LimitHoldsARunToSixtyFrameStepsASecondWithTheSameSteps
  window.FramePace.ALitStopWaitsWithoutUsingTheProcessor
  PROPERTIES RUN_SERIAL TRUE)
