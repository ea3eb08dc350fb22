# The WebAssembly build's flags and its pages. A program runs in a worker (PROXY_TO_PTHREAD),
# so that its busy waits and blocking reads work as on the desktop, and the message thread
# is a thread as everywhere else; the page's own thread only paints and takes events.
# Debian's emscripten makes its .html by minifying, which fails: the page is ours
# (web/page.html with web/page.js), and the programs are built to .js.
add_compile_options(-pthread)
add_link_options(
  -pthread
  -sPROXY_TO_PTHREAD
  -sEXIT_RUNTIME
  # The program, the message thread, the key buffer's and the console's threads start at
  # once instead of waiting for the page's thread to make a worker.
  -sPTHREAD_POOL_SIZE=8
  -sINITIAL_MEMORY=256MB
  -sENVIRONMENT=web,worker
  -sEXPORTED_RUNTIME_METHODS=ENV
  "-sEXPORTED_FUNCTIONS=_main,_bgi_web_frame,_bgi_web_key,_bgi_web_mouse,_bgi_web_damage_all")

set(BGIGRAPH_WEB_DIR ${CMAKE_CURRENT_LIST_DIR}/../web)

# Writes the page of an executable beside its .js: NAME.html and the page's script.
function(bgigraph_web_page target)
  get_target_property(name ${target} OUTPUT_NAME)
  if(NOT name)
    set(name ${target})
  endif()
  get_target_property(dir ${target} BINARY_DIR)
  set(PROGRAM ${name})
  configure_file(${BGIGRAPH_WEB_DIR}/page.html ${dir}/${name}.html @ONLY)
  configure_file(${BGIGRAPH_WEB_DIR}/page.js ${dir}/bgi-page.js COPYONLY)
endfunction()
