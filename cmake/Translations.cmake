# The interface languages. Chinese is the source language; the English
# catalogue translations/qorva_en.ts is compiled by lrelease into a .qm that
# is embedded (as :/i18n/qorva_en.qm) in qorva_translations, a QtCore-only
# library linked by qorva and qorva-cli. The target update_translations runs
# lupdate over every source folder into the .ts file.
find_package(Qt6 REQUIRED COMPONENTS LinguistTools)

add_library(qorva_translations STATIC translations/Language.cpp translations/Language.h)
target_link_libraries(qorva_translations PUBLIC Qt6::Core)
target_include_directories(qorva_translations PUBLIC ${PROJECT_SOURCE_DIR})

file(GLOB_RECURSE QORVA_TRANSLATED_SOURCES CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/psychro/*.cpp ${PROJECT_SOURCE_DIR}/psychro/*.h
  ${PROJECT_SOURCE_DIR}/model/*.cpp ${PROJECT_SOURCE_DIR}/model/*.h
  ${PROJECT_SOURCE_DIR}/climate/*.cpp ${PROJECT_SOURCE_DIR}/climate/*.h
  ${PROJECT_SOURCE_DIR}/chart/*.cpp ${PROJECT_SOURCE_DIR}/chart/*.h
  ${PROJECT_SOURCE_DIR}/render/*.cpp ${PROJECT_SOURCE_DIR}/render/*.h
  ${PROJECT_SOURCE_DIR}/analysis/*.cpp ${PROJECT_SOURCE_DIR}/analysis/*.h
  ${PROJECT_SOURCE_DIR}/project/*.cpp ${PROJECT_SOURCE_DIR}/project/*.h
  ${PROJECT_SOURCE_DIR}/cli/*.cpp ${PROJECT_SOURCE_DIR}/cli/*.h
  ${PROJECT_SOURCE_DIR}/gui/*.cpp ${PROJECT_SOURCE_DIR}/gui/*.h)

qt_add_translations(qorva_translations
  TS_FILES ${PROJECT_SOURCE_DIR}/translations/qorva_en.ts
  SOURCES ${QORVA_TRANSLATED_SOURCES}
  RESOURCE_PREFIX /i18n
  LUPDATE_OPTIONS -locations none -no-ui-lines -source-language zh_CN)

# The table filler of the translation work (tools/ts_fill.py).
find_package(Python3 COMPONENTS Interpreter)
if(Python3_Interpreter_FOUND)
  add_test(NAME ts_fill COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/tests/tools/ts_fill_test.py)
endif()
