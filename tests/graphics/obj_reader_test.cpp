// The OBJ/MTL reader on text in memory: the described subset, what real exporters write,
// and indices or counts that must not be trusted.
#include "graphics/obj_reader.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

using namespace OvCore;

namespace
{

const char* const LIBRARY = "newmtl red\nKd 1 0 0\nmap_Kd red.png\n"
                            "newmtl blue paint\nKd 0 0 .5\n";

// Reads `obj` with the libraries of `files`; the model, empty when refused.
OBJ_MODEL Read(const std::string& obj, std::map<std::string, std::string> files = {},
               bool* accepted = nullptr)
{
    files.try_emplace("lib.mtl", LIBRARY);
    OBJ_MODEL model;
    const bool ok = ReadObj(
        obj,
        [&files](const std::string& name, std::string& text)
        {
            const auto found = files.find(name);
            if (found == files.end())
                return false;
            text = found->second;
            return true;
        },
        model);
    if (accepted)
        *accepted = ok;
    return model;
}

const std::string SQUARE = "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nvt 0 0\nvt 1 1\nvn 0 0 1\n";

} // namespace

TEST(ObjReader, FacesNeedAKnownMaterialAndMeshesFollowTheirFirstUse)
{
    const OBJ_MODEL model = Read("mtllib lib.mtl\n" + SQUARE +
                                 "f 1 2 3\n" // before any usemtl: ignored
                                 "usemtl blue paint\nf 1/1/1 2/2/1 3\n"
                                 "usemtl red\r\nf 1 2 3\n"
                                 "usemtl nothing\nf 1 2 3\n" // unknown: faces ignored
                                 "usemtl blue paint\nf 3 4 1\n");
    ASSERT_EQ(model.meshes.size(), 2u);
    EXPECT_EQ(model.meshes[0].material, "blue paint");
    EXPECT_EQ(model.meshes[0].vertices.size(), 6u); // both blue faces in one mesh
    EXPECT_EQ(model.meshes[1].vertices.size(), 3u);
    const OV_VERTEX& corner = model.meshes[0].vertices[1];
    EXPECT_EQ(corner.position, OV_VECTOR_F(1, 0, 0));
    EXPECT_EQ(corner.texcoord, OV_VECTOR_F(1, 1));
    EXPECT_EQ(corner.normal[2], 1.0f);
    EXPECT_EQ(corner.colour, OV_VECTOR_F(0, 0, 0.5f, 1));
    EXPECT_EQ(model.meshes[0].vertices[2].texcoord, OV_VECTOR_F(0, 0)); // none given
    ASSERT_EQ(model.materials.size(), 2u);
    EXPECT_EQ(model.materials[0].texture, "red.png");
}

TEST(ObjReader, WhatExportersWriteLoads)
{
    const OBJ_MODEL model = Read("\xEF\xBB\xBF# exported\nmtllib lib.mtl other.mtl\n"
                                 "o thing\nv 0 0 0 1\nv 2.5e0 0 0\nv .5 +1 0\nv 0 1 0\n"
                                 "usemtl late\n"
                                 "l 1 2\np 1\ns off\n"
                                 "f 1//1 2 3 4\n" // a quad with a normal that is not there
                                 "f -4 -3 -2 -1 1\n",
                                 {{"other.mtl", "Kd 1 1 1\nnewmtl late\nKd 0 1 0\n"}});
    ASSERT_EQ(model.meshes.size(), 1u);
    const std::vector<OV_VERTEX>& vertices = model.meshes[0].vertices;
    ASSERT_EQ(vertices.size(), 6u + 9u); // fans of 2 and 3 triangles
    EXPECT_EQ(vertices[1].position, OV_VECTOR_F(2.5f, 0, 0));
    EXPECT_EQ(vertices[2].position, OV_VECTOR_F(0.5f, 1, 0));
    EXPECT_EQ(vertices[4].position, OV_VECTOR_F(0.5f, 1, 0)); // second triangle: 1 3 4
    EXPECT_EQ(vertices[6].position, OV_VECTOR_F(0, 0, 0));    // -4 is the first position
    EXPECT_EQ(vertices[0].colour, OV_VECTOR_F(0, 1, 0, 1));   // Kd before newmtl was ignored
}

TEST(ObjReader, BadIndicesSkipTheirFaceAndLimitsRefuseTheModel)
{
    const OBJ_MODEL model = Read("mtllib lib.mtl\n" + SQUARE +
                                 "usemtl red\nf 0 1 2\nf 1 2 9\nf -5 1 2\nf 1 2\nf 1 2 x\n"
                                 "f 1/7/9 2/-9 3\nf -9223372036854775808 1 2\nf 1 2 3\n");
    ASSERT_EQ(model.meshes.size(), 1u);
    EXPECT_EQ(model.meshes[0].vertices.size(), 6u); // the two faces with good positions

    std::string library;
    for (int i = 0; i < 70; ++i)
        library += "mtllib lib.mtl\n";
    bool accepted = true;
    EXPECT_TRUE(Read(library, {}, &accepted).materials.empty());
    EXPECT_FALSE(accepted);

    std::string fan = "mtllib lib.mtl\nv 0 0 0\nusemtl red\nf";
    for (int i = 0; i < 2000; ++i)
        fan += " 1";
    fan += "\n";
    std::string many;
    for (int i = 0; i < 3000; ++i)
        many += fan;
    EXPECT_TRUE(Read(many, {}, &accepted).meshes.empty()); // 17.9 million corners
    EXPECT_FALSE(accepted);
}
