#include "graphics/obj_reader.h"

#include <charconv>
#include <cmath>
#include <unordered_map>

namespace OvCore
{

namespace
{

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The next run of non-blank characters of `rest`, which moves past it; empty at the end.
std::string_view NextToken(std::string_view& rest)
{
    rest = Trim(rest);
    size_t end = 0;
    while (end < rest.size() && !IsBlank(rest[end]))
        ++end;
    std::string_view token = rest.substr(0, end);
    rest.remove_prefix(end);
    return token;
}

std::vector<std::string_view> Tokens(std::string_view text)
{
    std::vector<std::string_view> tokens;
    for (std::string_view token = NextToken(text); !token.empty(); token = NextToken(text))
        tokens.push_back(token);
    return tokens;
}

// A float whatever the locale (".5", "1e-3", "+2" too); what is not a finite number is 0.
float Number(std::string_view token)
{
    if (!token.empty() && token.front() == '+')
        token.remove_prefix(1);
    float value = 0;
    const auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value);
    return error == std::errc() && std::isfinite(value) ? value : 0.0f;
}

// Calls `line` for every line of the text, without its ending and without a leading
// byte-order mark; lines starting with '#' are comments.
template <class Visit> void ForEachLine(std::string_view text, Visit&& line)
{
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    while (!text.empty())
    {
        const size_t end = text.find('\n');
        std::string_view current = Trim(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!current.empty() && current.front() != '#')
            line(current);
    }
}

// A 1-based OBJ index, or a negative one counting back from the newest record, as a 0-based
// index below `count`; false for 0, for what lies outside, and for an empty field.
bool ResolveIndex(std::string_view field, size_t count, size_t& index)
{
    long long value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (error != std::errc() || end != field.data() + field.size() || value == 0)
        return false;
    // Magnitudes are taken unsigned: the smallest long long has no positive counterpart.
    const unsigned long long magnitude = value < 0 ? 0ull - static_cast<unsigned long long>(value)
                                                   : static_cast<unsigned long long>(value);
    if (magnitude > count)
        return false;
    index = value > 0 ? static_cast<size_t>(magnitude - 1) : count - static_cast<size_t>(magnitude);
    return true;
}

class ObjParser
{
  public:
    ObjParser(const OBJ_LIBRARY_READER& readLibrary, OBJ_MODEL& model)
        : readLibrary_(readLibrary), model_(model)
    {
    }

    bool Read(std::string_view text)
    {
        ForEachLine(text, [this](std::string_view line) { ObjLine(line); });
        return !refused_;
    }

  private:
    void ObjLine(std::string_view line)
    {
        if (refused_)
            return;
        std::string_view rest = line;
        const std::string_view keyword = NextToken(rest);
        rest = Trim(rest);
        if (keyword == "v" || keyword == "vn" || keyword == "vt")
            Attribute(keyword, rest);
        else if (keyword == "f")
            Face(rest);
        else if (keyword == "usemtl" && !rest.empty())
            UseMaterial(std::string(rest));
        else if (keyword == "mtllib" && !rest.empty())
            Libraries(rest);
    }

    // Positions and normals take three numbers, texture coordinates one or two; what follows
    // (a position's w, a third texture coordinate, vertex colours) is ignored.
    void Attribute(std::string_view keyword, std::string_view rest)
    {
        const std::vector<std::string_view> values = Tokens(rest);
        const size_t needed = keyword == "vt" ? 1 : 3;
        if (values.size() < needed)
            return;
        std::vector<OV_VECTOR_F>& records = keyword == "v"    ? positions_
                                            : keyword == "vn" ? normals_
                                                              : texcoords_;
        if (!Allow(records.size() + 1))
            return;
        OV_VECTOR_F record;
        record.x = Number(values[0]);
        record.y = values.size() > 1 ? Number(values[1]) : 0.0f;
        record.z = needed == 3 ? Number(values[2]) : 0.0f;
        records.push_back(record);
    }

    // A polygon of three corners or more becomes a fan of triangles around its first corner.
    void Face(std::string_view rest)
    {
        if (mesh_ < 0 || material_ < 0)
            return;
        std::vector<OV_VERTEX> corners;
        for (std::string_view token : Tokens(rest))
        {
            OV_VERTEX corner;
            if (!Corner(token, corner))
                return; // a corner without a position spoils the whole face
            corners.push_back(corner);
        }
        if (corners.size() < 3)
            return;
        std::vector<OV_VERTEX>& vertices = model_.meshes[size_t(mesh_)].vertices;
        const size_t added = (corners.size() - 2) * 3;
        if (!Allow(vertexTotal_ + added))
            return;
        vertexTotal_ += added;
        for (size_t i = 1; i + 1 < corners.size(); ++i)
            vertices.insert(vertices.end(), {corners[0], corners[i], corners[i + 1]});
    }

    // "p", "p/t", "p//n" or "p/t/n"; a missing or bad texture coordinate or normal leaves the
    // vertex's default.
    bool Corner(std::string_view token, OV_VERTEX& corner) const
    {
        const size_t first = token.find('/');
        const std::string_view position = token.substr(0, first);
        std::string_view texcoord, normal;
        if (first != std::string_view::npos)
        {
            const std::string_view after = token.substr(first + 1);
            const size_t second = after.find('/');
            texcoord = after.substr(0, second);
            if (second != std::string_view::npos)
                normal = after.substr(second + 1);
        }
        size_t index = 0;
        if (!ResolveIndex(position, positions_.size(), index))
            return false;
        const OV_VECTOR_F& p = positions_[index];
        corner.position = OV_VECTOR_F(p.x, p.y, p.z);
        if (ResolveIndex(texcoord, texcoords_.size(), index))
            corner.texcoord = OV_VECTOR_F(texcoords_[index].x, texcoords_[index].y);
        if (ResolveIndex(normal, normals_.size(), index))
        {
            corner.normal[0] = normals_[index].x;
            corner.normal[1] = normals_[index].y;
            corner.normal[2] = normals_[index].z;
        }
        corner.colour = model_.materials[size_t(material_)].colour;
        return true;
    }

    // An unknown name unsets the material, so that the faces after it are ignored; a known
    // one makes the mesh of that name current.
    void UseMaterial(const std::string& name)
    {
        const auto found = materialIndex_.find(name);
        material_ = found == materialIndex_.end() ? -1 : int64_t(found->second);
        if (material_ < 0)
            return;
        auto [mesh, added] = meshIndex_.try_emplace(name, model_.meshes.size());
        if (added)
            model_.meshes.push_back(OBJ_MESH{name, {}});
        mesh_ = int64_t(mesh->second);
    }

    // The rest of the line names one library (spaces allowed), or else several.
    void Libraries(std::string_view names)
    {
        if (Library(std::string(names)))
            return;
        for (std::string_view name : Tokens(names))
            if (!refused_)
                Library(std::string(name));
    }

    bool Library(const std::string& name)
    {
        std::string text;
        if (!readLibrary_ || !readLibrary_(name, text))
            return false;
        libraryBytes_ += text.size();
        if (++libraries_ > OBJ_MAX_LIBRARIES || libraryBytes_ > OBJ_MAX_LIBRARY_BYTES)
        {
            refused_ = true;
            return true;
        }
        libraryMaterial_ = -1;
        ForEachLine(text, [this](std::string_view line) { LibraryLine(line); });
        return true;
    }

    void LibraryLine(std::string_view line)
    {
        std::string_view rest = line;
        const std::string_view keyword = NextToken(rest);
        rest = Trim(rest);
        if (keyword == "newmtl" && !rest.empty())
            libraryMaterial_ = int64_t(MaterialNamed(std::string(rest)));
        else if (libraryMaterial_ < 0)
            return;
        else if (keyword == "Kd")
            Colour(rest);
        else if (keyword == "map_Kd" && !rest.empty())
            model_.materials[size_t(libraryMaterial_)].texture = std::string(TextureName(rest));
    }

    void Colour(std::string_view rest)
    {
        const std::vector<std::string_view> values = Tokens(rest);
        if (values.size() < 3)
            return;
        OV_VECTOR_F& colour = model_.materials[size_t(libraryMaterial_)].colour;
        colour.x = Number(values[0]);
        colour.y = Number(values[1]);
        colour.z = Number(values[2]);
    }

    // Texture options ("-s 1 1 1 file.png") come before the file: then the file is the last
    // word; otherwise the whole rest, spaces and all.
    static std::string_view TextureName(std::string_view rest)
    {
        if (rest.front() != '-')
            return rest;
        const size_t lastBlank = rest.find_last_of(" \t");
        return rest.substr(lastBlank + 1);
    }

    size_t MaterialNamed(const std::string& name)
    {
        auto [found, added] = materialIndex_.try_emplace(name, model_.materials.size());
        if (added)
            model_.materials.push_back(OBJ_MATERIAL{name, {}, {1, 1, 1, 1}});
        return found->second;
    }

    // False, and the whole model refused, once a count passes the limit.
    bool Allow(size_t count)
    {
        if (count > OBJ_MAX_VERTICES)
            refused_ = true;
        return !refused_;
    }

    const OBJ_LIBRARY_READER& readLibrary_;
    OBJ_MODEL& model_;
    std::vector<OV_VECTOR_F> positions_, texcoords_, normals_;
    std::unordered_map<std::string, size_t> materialIndex_, meshIndex_;
    int64_t material_ = -1, mesh_ = -1, libraryMaterial_ = -1;
    size_t vertexTotal_ = 0, libraries_ = 0, libraryBytes_ = 0;
    bool refused_ = false;
};

} // namespace

bool ReadObj(std::string_view text, const OBJ_LIBRARY_READER& readLibrary, OBJ_MODEL& model)
{
    model = OBJ_MODEL();
    if (text.size() > OBJ_MAX_FILE_BYTES || !ObjParser(readLibrary, model).Read(text))
    {
        model = OBJ_MODEL();
        return false;
    }
    return true;
}

} // namespace OvCore
