# The Windows binaries depend only on the sources: no link time in the PE header and no build folder in
# any path the compiler writes into them (assertion texts, debug information), so that two builds of
# one commit in different folders give the same bytes.
add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=. -ffile-prefix-map=${PROJECT_BINARY_DIR}=build)
add_link_options(-Wl,--no-insert-timestamp)
