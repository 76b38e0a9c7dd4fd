file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX}
    RESULT_VARIABLE failed OUTPUT_QUIET)
# The installed tree as a software centre reads it: the entries the metainfo launches exist.
execute_process(COMMAND appstreamcli validate-tree --no-net --strict ${PREFIX}
    RESULT_VARIABLE invalid)
if(invalid)
    message(FATAL_ERROR "appstreamcli validate-tree failed on ${PREFIX}")
endif()
set(expected share/metainfo/io.github.vellumora.Vellumora.metainfo.xml
    share/mime/packages/vellumora-design.xml share/thumbnailers/vellumora.thumbnailer
    share/icons/hicolor/scalable/mimetypes/application-x-vellumora-design.svg)
foreach(id Vellumora Designer IndexCreator Manual)
    list(APPEND expected share/applications/io.github.vellumora.${id}.desktop
        share/icons/hicolor/scalable/apps/io.github.vellumora.${id}.svg)
endforeach()
foreach(program vmlaunch vmdesign vmindex vmhelp vmrender)
    list(APPEND expected bin/${program})
endforeach()
foreach(file ${expected})
    if(failed OR NOT EXISTS ${PREFIX}/${file})
        message(FATAL_ERROR "install: ${file} missing under ${PREFIX} (${failed})")
    endif()
endforeach()
