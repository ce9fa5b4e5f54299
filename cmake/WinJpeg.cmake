# libjpeg (libjpeg-turbo) for the Windows target: built from Debian's source package with the
# cross compiler as a static library and cached in the build tree. Nothing of it is committed.
# Where a JPEG library for the target is already installed (a Windows developer's MinGW or vcpkg),
# it is used as found.
include(ExternalProject)

# One copy serves every build folder under build/: it is built by the first configure that finds
# none, and imported as it is by the others.
set(VELM_JPEG_ROOT ${PROJECT_SOURCE_DIR}/build/_jpeg CACHE PATH "Where the target's libjpeg is built")
set(VELM_JPEG_PREFIX ${VELM_JPEG_ROOT}/install)

if(NOT CMAKE_CROSSCOMPILING)
  find_package(JPEG REQUIRED)
  add_library(velm_jpeg INTERFACE)
  target_link_libraries(velm_jpeg INTERFACE JPEG::JPEG)
  return()
endif()

set(_jpeg_lib ${VELM_JPEG_PREFIX}/lib/libjpeg.a)
if(EXISTS ${_jpeg_lib} AND EXISTS ${VELM_JPEG_PREFIX}/include/jpeglib.h)
  add_library(velm_jpeg STATIC IMPORTED GLOBAL)
  set_target_properties(velm_jpeg PROPERTIES IMPORTED_LOCATION ${_jpeg_lib}
                                             INTERFACE_INCLUDE_DIRECTORIES ${VELM_JPEG_PREFIX}/include)
  return()
endif()

file(GLOB _jpeg_src_dirs LIST_DIRECTORIES true ${VELM_JPEG_ROOT}/src/libjpeg-turbo-*)
list(FILTER _jpeg_src_dirs EXCLUDE REGEX "\\.(tar|dsc|orig|debian)")
if(NOT _jpeg_src_dirs)
  message(STATUS "Fetching Debian's libjpeg-turbo source package into ${VELM_JPEG_ROOT}/src")
  file(MAKE_DIRECTORY ${VELM_JPEG_ROOT}/src)
  execute_process(COMMAND apt-get source --only-source libjpeg-turbo
                  WORKING_DIRECTORY ${VELM_JPEG_ROOT}/src
                  RESULT_VARIABLE _rc OUTPUT_QUIET)
  if(NOT _rc EQUAL 0)
    message(FATAL_ERROR "apt-get source libjpeg-turbo failed; run scripts/deps.sh first")
  endif()
  file(GLOB _jpeg_src_dirs LIST_DIRECTORIES true ${VELM_JPEG_ROOT}/src/libjpeg-turbo-*)
  list(FILTER _jpeg_src_dirs EXCLUDE REGEX "\\.(tar|dsc|orig|debian)")
endif()
list(GET _jpeg_src_dirs 0 VELM_JPEG_SOURCE)

ExternalProject_Add(libjpeg_target
  SOURCE_DIR ${VELM_JPEG_SOURCE}
  BINARY_DIR ${VELM_JPEG_ROOT}/build
  INSTALL_DIR ${VELM_JPEG_PREFIX}
  CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}
             -DCMAKE_INSTALL_PREFIX=<INSTALL_DIR>
             -DCMAKE_INSTALL_LIBDIR=lib
             -DCMAKE_BUILD_TYPE=Release
             -DENABLE_SHARED=OFF -DENABLE_STATIC=ON
             -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF -DWITH_JAVA=OFF
             -DCMAKE_POLICY_DEFAULT_CMP0091=NEW
  BUILD_BYPRODUCTS ${_jpeg_lib}
  UPDATE_COMMAND ""
  TEST_COMMAND "")
file(MAKE_DIRECTORY ${VELM_JPEG_PREFIX}/include)
add_library(velm_jpeg STATIC IMPORTED GLOBAL)
set_target_properties(velm_jpeg PROPERTIES IMPORTED_LOCATION ${_jpeg_lib}
                                           INTERFACE_INCLUDE_DIRECTORIES ${VELM_JPEG_PREFIX}/include)
add_dependencies(velm_jpeg libjpeg_target)
