# Gives a Windows program its icon, its manifest (per-monitor DPI awareness, the common
# controls of today) and its version information.
function(kelvo_windows_resources target description version icon)
  string(REPLACE "." ";" parts ${version})
  list(GET parts 0 MAJOR)
  list(GET parts 1 MINOR)
  list(GET parts 2 REVISION)
  set(NAME ${target})
  set(DESCRIPTION ${description})
  set(ICON ${icon})
  set(MANIFEST ${PROJECT_SOURCE_DIR}/platform/win32/kelvo.manifest)
  configure_file(${PROJECT_SOURCE_DIR}/platform/win32/version.rc.in ${target}.rc @ONLY)
  target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  # One self-contained program: the C++ and GCC runtimes linked in.
  target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
endfunction()
