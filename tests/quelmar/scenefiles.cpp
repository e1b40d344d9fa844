#include "scenefiles.h"

#include <fstream>

SceneFiles::SceneFiles()
{
    std::ofstream(folder_.file("quad.obj")) << "v 0 0 0\nv 2 0 0\nv 2 0 2\nv 0 0 2\nf 1 2 3\nf 1 3 4\n";
}

std::string SceneFiles::writeScene(const std::string& fileName, int objectCount, int surfaceDivisions,
                                   bool withMaterials, int feedbackMegabytes)
{
    std::ofstream xml(folder_.file(fileName));
    xml << "<?xml version=\"1.0\"?>\n<scene>\n"
        << "  <origin lat=\"39.25\" lon=\"-119.95\" alt=\"2980\"/>\n"
        << "  <feedback megabytes=\"" << feedbackMegabytes << "\"/>\n";
    if (withMaterials)
        xml << "  <materials>\n"
            << "    <material xor=\"10\" gis=\"120\" epsilon=\"4\" sigma=\"0.01\" mu=\"1\" color=\"#8B6F47\"/>\n"
            << "    <material xor=\"21\" gis=\"300\" epsilon=\"1\" sigma=\"5.8e6\" mu=\"1\" color=\"#4A6A8A\"/>\n"
            << "  </materials>\n";
    if (surfaceDivisions > 0)
        xml << "  <surface size=\"100\" height=\"0\" material=\"0\" divisions=\"" << surfaceDivisions << "\"/>\n";
    for (int i = 0; i < objectCount; ++i)
        xml << "  <object name=\"Object" << i << "\">\n"
            << "    <position lat=\"39.25\" lon=\"-119.95\" alt=\"" << 2980 + i << "\"/>\n"
            << "    <orientation yaw=\"" << 10 * i << "\" pitch=\"1\" roll=\"2\"/>\n"
            << "    <mesh path=\"quad.obj\" material=\"1\"/>\n"
            << "  </object>\n";
    xml << "</scene>\n";
    return folder_.file(fileName);
}
