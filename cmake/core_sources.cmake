# The platform-free logic: no <windows.h> in any of these files, so that the native
# host build compiles them (and the logic tests run them under the sanitizers).
set(TESSARIN_CORE_SOURCES
  ui/ErrorText.cpp
  ui/Units.cpp
  app/InstanceName.cpp
  app/TrayDecode.cpp
  app/WidgetGeometry.cpp
  app/ProfileNumber.cpp
  app/HotKeyCode.cpp
  app/RecentChars.cpp
  info/ShortcutProps.cpp
  main/Layout.cpp
  main/HtmlFont.cpp
  main/CharDescriptions.cpp
  main/CharNames.cpp
  main/CharSearch.cpp
  main/FontList.cpp
  SendKeys/KeyTranslation.cpp
  websafe/GradientColors.cpp
  websafe/PaletteRule.cpp
  unicode/UnicodeNames.cpp
  unicode/Blocks.cpp
  unicode/UnicodeText.cpp
  unicode/CharMap.cpp
  unicode/GlyphAdvances.cpp
  unicode/UnicodeSearch.cpp
)
