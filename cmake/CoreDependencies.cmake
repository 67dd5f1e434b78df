# Libraries the core links against. All come from Debian packages that
# scripts/setup.sh installs.
find_package(Threads REQUIRED)
target_link_libraries(kondra_core PUBLIC Threads::Threads)

# Enhanced metafiles: libUEMF's record builders (libuemf-dev). It has no
# CMake or pkg-config description, so it is looked up by hand.
find_path(UEMF_INCLUDE_DIR uemf.h REQUIRED)
find_library(UEMF_LIBRARY uemf REQUIRED)
target_include_directories(kondra_core SYSTEM PRIVATE ${UEMF_INCLUDE_DIR})
target_link_libraries(kondra_core PUBLIC ${UEMF_LIBRARY})

# JPEG encoding and decoding: the IJG API of libjpeg-turbo (libjpeg62-turbo-dev).
find_package(JPEG REQUIRED)
target_link_libraries(kondra_core PUBLIC JPEG::JPEG)
