# The Windows program's own resources, compiled into quellor.exe:
#   - its icon, made at build time from packaging/quellor.svg in several
#     sizes in one .ico (rsvg-convert, icotool);
#   - its version information (product, version, description, copyright),
#     from the project's version;
#   - its application manifest: Windows 7 to 11 as supported systems, the
#     version 6 common controls (current-looking message boxes) and no DPI
#     awareness, so that Windows scales the 640x480 window on high-DPI screens.
# The window class keeps the stock icon the window code asks for.

find_program(QUELLOR_RSVG_CONVERT rsvg-convert REQUIRED)
find_program(QUELLOR_ICOTOOL icotool REQUIRED)
set(QUELLOR_RESOURCE_SOURCES ${CMAKE_CURRENT_LIST_DIR})

function(quellor_add_program_resources target)
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/${target}-resources)
  set(svg ${PROJECT_SOURCE_DIR}/packaging/quellor.svg)
  set(small)
  foreach(size 16 24 32 48 64 256)
    set(png ${dir}/icon-${size}.png)
    add_custom_command(OUTPUT ${png}
                       COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
                       COMMAND ${QUELLOR_RSVG_CONVERT} --width ${size} --height ${size} --output ${png} ${svg}
                       DEPENDS ${svg} VERBATIM)
    if(size EQUAL 256)
      set(large ${png})
    else()
      list(APPEND small ${png})
    endif()
  endforeach()
  # The 256-pixel picture stays PNG-compressed inside the .ico, as Windows
  # Vista and later read it; the small ones are plain bitmaps.
  add_custom_command(OUTPUT ${dir}/quellor.ico
                     COMMAND ${QUELLOR_ICOTOOL} --create --output=${dir}/quellor.ico ${small} --raw=${large}
                     DEPENDS ${small} ${large} VERBATIM)

  set(QUELLOR_ICON ${dir}/quellor.ico)
  set(QUELLOR_MANIFEST ${dir}/quellor.manifest)
  configure_file(${QUELLOR_RESOURCE_SOURCES}/quellor.manifest.in ${QUELLOR_MANIFEST} @ONLY)
  configure_file(${QUELLOR_RESOURCE_SOURCES}/quellor.rc.in ${dir}/quellor.rc @ONLY)
  target_sources(${target} PRIVATE ${dir}/quellor.rc)
  set_source_files_properties(${dir}/quellor.rc PROPERTIES OBJECT_DEPENDS "${QUELLOR_ICON};${QUELLOR_MANIFEST}")
endfunction()
