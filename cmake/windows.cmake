# The Windows side: the window layer, the Win32 parts of the launcher, its resources and the
# executable itself, linked statically so that it needs nothing beyond Windows' own DLLs.

if(RADURE_WINDOWS_ARCH STREQUAL "x86_64")
  set(RADURE_MANIFEST_ARCH amd64)
else()
  set(RADURE_MANIFEST_ARCH x86)
endif()

set(RADURE_GENERATED ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_SOURCE_DIR}/res/build_settings.h.in ${RADURE_GENERATED}/build_settings.h @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/res/Radure_YV.manifest.in ${RADURE_GENERATED}/Radure_YV.manifest @ONLY)

add_compile_definitions(UNICODE _UNICODE NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001 -I ${CMAKE_SOURCE_DIR}/res -I ${RADURE_GENERATED}")
# windres resolves file names in the script against its working directory, not the script's folder.
set(CMAKE_RC_COMPILE_OBJECT
    "<CMAKE_RC_COMPILER> <DEFINES> <INCLUDES> <FLAGS> -O coff --include-dir ${CMAKE_SOURCE_DIR}/res <SOURCE> <OBJECT>")

add_link_options(-static -static-libgcc -static-libstdc++)

add_library(radure_wnd STATIC
  wnd/App.cpp
  wnd/Dialog.cpp
  wnd/Files.cpp
  wnd/Internet.cpp
  wnd/SubclassedWindow.cpp
  wnd/SystemError.cpp
  wnd/Text.cpp
  wnd/Thread.cpp
  wnd/Window.cpp
)
target_include_directories(radure_wnd PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(radure_wnd PRIVATE ${RADURE_WARNINGS})
target_link_libraries(radure_wnd PUBLIC comctl32 user32 gdi32 advapi32 wininet)

add_library(radure_win STATIC
  app/LocalPaths.cpp
  app/Settings.cpp
  install/Installation.cpp
  install/Uninstall.cpp
  login/AdapterMac.cpp
  login/LoginPopupDlg.cpp
  login/QuitConfirmation.cpp
  login/RadureLogin.cpp
  login/WebBrowserBase.cpp
  login/WebFormLogin.cpp
  skin/CustomMessageBox.cpp
  skin/GdiPlusBitmap.cpp
  skin/MenbanDlg.cpp
  skin/MyMemDC.cpp
  skin/SkinText.cpp
  skin/TouchButton.cpp
  update/FileMd5.cpp
  update/FileVersion.cpp
  update/Handover.cpp
  update/UpdateCheck.cpp
  update/UpdateLog.cpp
  update/UpdateModule.cpp
  zip/ZipReader.cpp
)
target_compile_options(radure_win PRIVATE ${RADURE_WARNINGS})
target_link_libraries(radure_win PUBLIC radure_core radure_wnd shell32 ole32 oleaut32 uuid version gdiplus netapi32)

# The launcher executable at a file version. The application object is a global that nothing
# references by name, so its file is the executable's own rather than a library member the linker
# could leave out. The tests build launchers at other versions and servers.
file(GLOB RADURE_SKIN_FILES ${CMAKE_SOURCE_DIR}/res/png/* ${CMAKE_SOURCE_DIR}/res/bitmaps/*)
set(RADURE_RESOURCE_FILES ${CMAKE_SOURCE_DIR}/res/strings.rc ${CMAKE_SOURCE_DIR}/res/skin.rc ${CMAKE_SOURCE_DIR}/res/login.rc ${RADURE_SKIN_FILES}
    ${CMAKE_SOURCE_DIR}/res/icons/main.ico ${CMAKE_SOURCE_DIR}/res/icons/tray.ico ${CMAKE_SOURCE_DIR}/res/archive/data.zip)

#   radure_add_launcher(target file_version [SERVER http://host:port])
# SERVER puts both outside services (login page and version server) on that one server.
function(radure_add_launcher target file_version)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "SERVER" "")
  set(settings ${CMAKE_BINARY_DIR}/generated/${target})
  set(RADURE_FILE_VERSION ${file_version})
  if(arg_SERVER)
    set(RADURE_LOGIN_URL "${arg_SERVER}/client/gamecode/kolv/")
    set(RADURE_VERSION_SERVER "${arg_SERVER}")
  endif()
  string(REPLACE "." "," RADURE_FILE_VERSION_NUM "${file_version}")
  configure_file(${CMAKE_SOURCE_DIR}/res/build_settings.h.in ${settings}/build_settings.h @ONLY)
  add_executable(${target} WIN32
    ${CMAKE_SOURCE_DIR}/wnd/WinMain.cpp ${CMAKE_SOURCE_DIR}/app/Radure_YVApp.cpp ${CMAKE_SOURCE_DIR}/res/Radure_YV.rc)
  # Searched before the common generated folder, so that this version's settings are the ones found.
  target_include_directories(${target} PRIVATE ${settings})
  target_compile_options(${target} PRIVATE ${RADURE_WARNINGS})
  target_link_libraries(${target} PRIVATE radure_win)
  target_link_options(${target} PRIVATE -municode)
  set_source_files_properties(${CMAKE_SOURCE_DIR}/res/Radure_YV.rc PROPERTIES
    OBJECT_DEPENDS "${settings}/build_settings.h;${RADURE_GENERATED}/Radure_YV.manifest;${RADURE_RESOURCE_FILES}")
endfunction()

radure_add_launcher(Radure_YV ${RADURE_FILE_VERSION})
