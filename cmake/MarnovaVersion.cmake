# The program's version block, generated from the project version.

# marnova_add_version_resource(<executable>)
# Gives <executable> the version block of this project: fixed file and
# product version PROJECT_VERSION, "FileVersion" PROJECT_VERSION,
# "ProductVersion" MAJOR.MINOR, Italian / Windows-1252 string table. The
# block lands in the ELF section ".versioninfo" of the executable, where
# services/AppInfo reads it back at run time.
function(marnova_add_version_resource target)
  if(NOT TARGET marnova_version_block_generator)
    add_executable(marnova_version_block_generator
      ${PROJECT_SOURCE_DIR}/cmake/versionblock/GenerateVersionBlock.cpp
      ${PROJECT_SOURCE_DIR}/platform/versioninfo/VersionBlockWriter.cpp)
    target_include_directories(marnova_version_block_generator PRIVATE ${PROJECT_SOURCE_DIR})
    target_link_libraries(marnova_version_block_generator PRIVATE Qt6::Core)
  endif()

  set(v ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR})
  set(full ${v}.${PROJECT_VERSION_PATCH}.${PROJECT_VERSION_TWEAK})
  set(description ${CMAKE_CURRENT_BINARY_DIR}/${target}_versionblock.txt)
  set(source ${CMAKE_CURRENT_BINARY_DIR}/${target}_versionblock.cpp)
  # Written only when it changes, so an unchanged version rebuilds nothing.
  file(CONFIGURE OUTPUT ${description} @ONLY CONTENT [=[
fixed-file-version=@full@
fixed-product-version=@full@
language=0410
code-page=04E4
string:Comments=Free to use!
string:CompanyName=Quorvel
string:FileDescription=Marnova - verifica del contrasto dei colori
string:FileVersion=@full@
string:InternalName=Marnova
string:LegalCopyright=Copyright © Quorvel
string:LegalTrademarks=Marnova è un marchio di Quorvel
string:OriginalFilename=marnova
string:ProductName=Marnova
string:ProductVersion=@v@
]=])
  add_custom_command(OUTPUT ${source}
    COMMAND marnova_version_block_generator ${description} ${source}
    DEPENDS marnova_version_block_generator ${description}
    COMMENT "Generating the version block of ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE ${source})
endfunction()
