# The libraries of the rarer picture formats (HEIF, AVIF, RAW, metafiles) are opened with
# dlopen when a picture first needs one (base/LazyLibrary.h), not linked: a run that reads
# none of them then maps none of them, nor the sixty libraries they bring.
#
# fsc_lazy_library(KEY name) finds lib<name>.so and adds
#   FSC_SONAME_<KEY>="<its soname>"  to FSC_LAZY_LIBRARY_DEFINITIONS, for dlopen, and
#   its Debian package               to FSC_LAZY_LIBRARY_PACKAGES, which the package names
#                                    itself since dpkg-shlibdeps cannot see a dlopen.
set(FSC_LAZY_LIBRARY_DEFINITIONS "")
set(FSC_LAZY_LIBRARY_PACKAGES "")

function(fsc_lazy_library key name)
  find_library(FSC_LAZY_LIBRARY_${key} NAMES ${name} REQUIRED)
  set(library ${FSC_LAZY_LIBRARY_${key}})
  execute_process(COMMAND objdump -p ${library} OUTPUT_VARIABLE dump COMMAND_ERROR_IS_FATAL ANY)
  if(NOT dump MATCHES "SONAME +([^\n ]+)")
    message(FATAL_ERROR "${library} names no soname")
  endif()
  set(soname ${CMAKE_MATCH_1})
  set(definitions ${FSC_LAZY_LIBRARY_DEFINITIONS} "FSC_SONAME_${key}=\"${soname}\"")
  set(FSC_LAZY_LIBRARY_DEFINITIONS ${definitions} PARENT_SCOPE)

  get_filename_component(real ${library} REALPATH)
  get_filename_component(folder ${real} DIRECTORY)
  execute_process(COMMAND dpkg-query -S ${folder}/${soname}
                  OUTPUT_VARIABLE owner RESULT_VARIABLE status ERROR_QUIET)
  if(status EQUAL 0 AND owner MATCHES "^([^:,]+)")
    set(FSC_LAZY_LIBRARY_PACKAGES ${FSC_LAZY_LIBRARY_PACKAGES} ${CMAKE_MATCH_1} PARENT_SCOPE)
  endif()
endfunction()

fsc_lazy_library(HEIF heif)
fsc_lazy_library(AVIF avif)
fsc_lazy_library(RAW raw_r)
fsc_lazy_library(WMF wmf-0.2)
fsc_lazy_library(RSVG rsvg-2)
fsc_lazy_library(EMF2SVG emf2svg)
