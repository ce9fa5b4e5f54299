# The native build: the portable modules compiled with the host compiler and tested under
# AddressSanitizer and UndefinedBehaviorSanitizer. Fuzz targets need clang (libFuzzer).
option(VELM_SANITIZE "Build with ASan and UBSan" ON)
if(VELM_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
find_package(JPEG REQUIRED)
add_library(velm_jpeg INTERFACE)
target_link_libraries(velm_jpeg INTERFACE JPEG::JPEG)
if(BUILD_TESTING)
  find_package(GTest REQUIRED)
endif()
