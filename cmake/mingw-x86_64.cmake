# Cross build for 64-bit Windows (the test saver's 64-bit build, savers/CMakeLists.txt).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
