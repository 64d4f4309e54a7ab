# Each layer's library shows its dependents only the headers of its own folder. Its include root,
# in the build tree, holds one link: the folder, under its path in the source tree. An include of
# a header from a higher layer ("app/shell.h" from cover/, "cover/..." from ui/) then finds no
# file and the build fails, so the link lines are the only arrows between the layers.
function(fokarium_layer_headers target)
    file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
    set(root ${PROJECT_BINARY_DIR}/include-roots/${target})
    get_filename_component(parent ${root}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${folder} SYMBOLIC)
    target_include_directories(${target} PUBLIC ${root})
endfunction()
