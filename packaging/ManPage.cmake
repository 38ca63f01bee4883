# Writes one gzipped man page from a program's --help and --version.
#   cmake -DHELP2MAN=... -DPROGRAM=... -DNAME=... -DSUMMARY=... -DINCLUDES=a;b
#         -DOUTPUT=.../name.1.gz -P ManPage.cmake
set(includes)
foreach(file IN LISTS INCLUDES)
  list(APPEND includes --include=${file})
endforeach()
get_filename_component(dir ${OUTPUT} DIRECTORY)
file(MAKE_DIRECTORY ${dir})
set(page ${dir}/${NAME}.1)
execute_process(
  COMMAND ${HELP2MAN} --no-info --section=1 --name=${SUMMARY} ${includes} --output=${page}
          ${PROGRAM}
  RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "help2man could not write the man page of ${NAME}")
endif()
execute_process(COMMAND gzip -9nf ${page} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "gzip failed on ${page}")
endif()
