# What the Windows editor needs beside it to start on a machine without Qt or
# mingw-w64: Qt's DLLs, the plugins it loads (platform, style, SVG images and
# icons, ICO images) in their sub-folders, and the compiler's runtime DLLs
# that Qt's DLLs link to. Installed with the editor, so `cmake --install`
# gives a folder that runs as it is (and that the installer packs).

function(lumeroll_install_windows_runtime destination)
  find_package(Qt6 REQUIRED COMPONENTS Core Gui Widgets Svg)
  foreach(module Core Gui Widgets Svg)
    install(FILES $<TARGET_FILE:Qt6::${module}> DESTINATION ${destination})
  endforeach()

  set(plugins
    platforms QWindowsIntegrationPlugin
    styles QWindowsVistaStylePlugin
    imageformats QSvgPlugin
    imageformats QICOPlugin
    iconengines QSvgIconPlugin)
  while(plugins)
    list(POP_FRONT plugins folder plugin)
    if(NOT TARGET Qt6::${plugin})
      message(FATAL_ERROR "The Qt for Windows lacks the plugin ${plugin}")
    endif()
    install(FILES $<TARGET_FILE:Qt6::${plugin}> DESTINATION ${destination}/${folder})
  endwhile()

  # The compiler knows where its own runtime DLLs are.
  foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${found}" OR NOT EXISTS "${found}")
      message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not know where ${dll} is")
    endif()
    install(FILES ${found} DESTINATION ${destination})
  endforeach()
endfunction()
