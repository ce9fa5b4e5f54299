# libjpeg (libjpeg-turbo) for the Windows target: built from Debian's source package with the
# cross compiler as a static library, once per processor, into build/_jpeg (build/_jpeg/x86_64 for
# the 64-bit build), which every build folder under build/ for that processor then shares. The
# build happens while configuring, under a file lock, so that two build folders configured at the
# same time do not build it over each other. Nothing of it is committed. A native Windows build
# uses the JPEG library it finds (MSYS2, vcpkg).
#
# The program decodes one picture, its own baseline background, at its own size into 32-bit rows,
# so the decoder is built without what that never uses (about a third of the library's code):
# arithmetic coding, progressive files and their block smoothing, scaled output, colour
# quantization to a palette, the merged ("sloppy") upsampling and the two less exact DCTs. A file
# that needs any of them is refused as a damaged one is. The library reads no environment variable
# (JPEGMEM): the program reads none, and its parsing brought in the runtime's whole scanf. Each
# function is a section of its own for the linker to leave out, and the library has no unwinding
# tables: no C++ exception passes through it (its errors return by longjmp).
if(NOT CMAKE_CROSSCOMPILING)
  find_package(JPEG REQUIRED)
  add_library(velm_jpeg INTERFACE)
  target_link_libraries(velm_jpeg INTERFACE JPEG::JPEG)
  return()
endif()

set(_root ${PROJECT_SOURCE_DIR}/build/_jpeg)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(_root ${_root}/x86_64)
endif()
set(VELM_JPEG_ROOT ${_root} CACHE PATH "Where the target's libjpeg is built")
set(_prefix ${VELM_JPEG_ROOT}/install)
set(_lib ${_prefix}/lib/libjpeg.a)
set(_stamp ${_prefix}/.complete)
# Left out of the decoder (see above); jmorecfg.h defines them unconditionally, so the build's copy
# of the source has them undefined there.
set(_unused D_PROGRESSIVE_SUPPORTED BLOCK_SMOOTHING_SUPPORTED IDCT_SCALING_SUPPORTED
            UPSAMPLE_MERGING_SUPPORTED QUANT_1PASS_SUPPORTED QUANT_2PASS_SUPPORTED
            DCT_IFAST_SUPPORTED DCT_FLOAT_SUPPORTED)
set(_cflags "-DNO_GETENV -ffunction-sections -fdata-sections -fno-asynchronous-unwind-tables")
set(_options -DCMAKE_BUILD_TYPE=Release
             -DCMAKE_C_FLAGS=${_cflags} -DWITH_ARITH_DEC=OFF -DWITH_ARITH_ENC=OFF
             -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF
             -DWITH_JAVA=OFF)
# The stamp holds the build's settings: a library built with others is built again.
set(_settings "${_options};${_unused}")

file(MAKE_DIRECTORY ${VELM_JPEG_ROOT})
file(LOCK ${VELM_JPEG_ROOT}/.lock GUARD FILE TIMEOUT 1200)
set(_built "")
if(EXISTS ${_stamp})
  file(READ ${_stamp} _built)
endif()
if(NOT _built STREQUAL _settings)
  file(REMOVE_RECURSE ${VELM_JPEG_ROOT}/build ${VELM_JPEG_ROOT}/source ${_prefix})
  file(GLOB _src LIST_DIRECTORIES true ${VELM_JPEG_ROOT}/src/libjpeg-turbo-*)
  list(FILTER _src EXCLUDE REGEX "\\.(tar|dsc|orig|debian)")
  if(NOT _src)
    message(STATUS "Fetching Debian's libjpeg-turbo source package into ${VELM_JPEG_ROOT}/src")
    file(MAKE_DIRECTORY ${VELM_JPEG_ROOT}/src)
    execute_process(COMMAND apt-get source --only-source libjpeg-turbo
                    WORKING_DIRECTORY ${VELM_JPEG_ROOT}/src RESULT_VARIABLE rc OUTPUT_QUIET)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "apt-get source libjpeg-turbo failed; run scripts/deps.sh first")
    endif()
    file(GLOB _src LIST_DIRECTORIES true ${VELM_JPEG_ROOT}/src/libjpeg-turbo-*)
    list(FILTER _src EXCLUDE REGEX "\\.(tar|dsc|orig|debian)")
  endif()
  list(GET _src 0 _src)
  message(STATUS "Building libjpeg for the target from ${_src}")
  file(COPY ${_src}/ DESTINATION ${VELM_JPEG_ROOT}/source)
  file(READ ${VELM_JPEG_ROOT}/source/jmorecfg.h _config)
  foreach(feature IN LISTS _unused)
    string(REGEX REPLACE "#define ${feature}" "#undef  ${feature}" _config "${_config}")
  endforeach()
  file(WRITE ${VELM_JPEG_ROOT}/source/jmorecfg.h "${_config}")
  execute_process(
    COMMAND ${CMAKE_COMMAND} -S ${VELM_JPEG_ROOT}/source -B ${VELM_JPEG_ROOT}/build -G Ninja
            -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE} -DCMAKE_INSTALL_PREFIX=${_prefix}
            -DCMAKE_INSTALL_LIBDIR=${_prefix}/lib ${_options}
    RESULT_VARIABLE rc OUTPUT_QUIET)
  if(rc EQUAL 0)
    execute_process(COMMAND ${CMAKE_COMMAND} --build ${VELM_JPEG_ROOT}/build --target install
                            --parallel 2
                    RESULT_VARIABLE rc OUTPUT_QUIET)
  endif()
  if(NOT rc EQUAL 0 OR NOT EXISTS ${_lib})
    message(FATAL_ERROR "building libjpeg for the target failed (see ${VELM_JPEG_ROOT}/build)")
  endif()
  file(WRITE ${_stamp} "${_settings}")
endif()
file(LOCK ${VELM_JPEG_ROOT}/.lock RELEASE)

add_library(velm_jpeg STATIC IMPORTED GLOBAL)
set_target_properties(velm_jpeg PROPERTIES IMPORTED_LOCATION ${_lib}
                                           INTERFACE_INCLUDE_DIRECTORIES ${_prefix}/include)
