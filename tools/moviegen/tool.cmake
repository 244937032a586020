# The movies are drawn with the art generator's helpers and the credits music played on the
# sound generator's synthesiser.
target_sources(velmorant-moviegen PRIVATE
  "${CMAKE_SOURCE_DIR}/tools/artgen/canvas.cpp"
  "${CMAKE_SOURCE_DIR}/tools/artgen/pictograms.cpp"
  "${CMAKE_SOURCE_DIR}/tools/soundgen/synth.cpp")
target_link_libraries(velmorant-moviegen PRIVATE PkgConfig::CAIRO)
