// Object file loading against two references measured in the same run, on one mesh of
// 1,000,000 points and 1,000,000 quads:
//  - ReadWholeFile of the object file: the floor for any loader of those bytes;
//  - PartObject::LoadObjectFile of the object file;
//  - tinyobjloader parsing the same mesh written as Wavefront OBJ text (v, vn, f lines).
// Prints "ratio load/read" (goal <= 2) and "ratio obj/load" (goal >= 50) after the table.
#include <benchmark/benchmark.h>
#include <tiny_obj_loader.h>
#include <unistd.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "model/file_io.h"
#include "model/object_file_writer.h"
#include "model/part_object.h"
#include "ratio_report.h"

namespace {

constexpr std::size_t kPoints = 1000000;
constexpr std::size_t kQuads = 1000000;
// Point indices are 16-bit, so the quads run over the first 65536 points only.
constexpr std::size_t kIndexedPoints = 65536;

bw::ObjectFileContents LargeMesh() {
    bw::ObjectFileContents c;
    c.bodyPart = 8;
    c.points.reserve(kPoints);
    c.normals.reserve(kPoints);
    for (std::size_t i = 0; i < kPoints; ++i) {
        const float a = float(i) * 0.0137f;
        const float h = float(i) / float(kPoints);
        c.points.push_back({0.3f * std::cos(a), h, 0.3f * std::sin(a)});
        c.normals.push_back({std::cos(a), 0.0f, std::sin(a)});
    }
    // A grid of 256 x 256 points wrapped around: quad (r, s) joins rows r, r + 1 and
    // columns s, s + 1, cycled until a million quads are written.
    c.polygons.reserve(kQuads);
    for (std::size_t q = 0; q < kQuads; ++q) {
        const std::size_t cell = q % (kIndexedPoints - 257);
        const auto p = static_cast<std::uint16_t>(cell);
        c.polygons.push_back(
            bw::Quad{{p, std::uint16_t(p + 1), std::uint16_t(p + 257), std::uint16_t(p + 256)}, 0});
    }
    c.surfaces.push_back({"Skin", bw::ColourDataBlock(200, 150, 120)});
    for (std::uint16_t i = 0; i < 256; ++i) c.connectionSets[0].push_back(i);
    return c;
}

void AppendFloat(std::string& out, float value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    out.append(text, result.ptr);
}

void AppendIndex(std::string& out, std::size_t value) {
    char text[24];
    const auto result = std::to_chars(text, text + sizeof text, value);
    out.append(text, result.ptr);
}

// The same mesh as OBJ text: one v and one vn line per point, one f line per quad with each
// corner as point//normal (1-based).
std::string ObjText(const bw::ObjectFileContents& c) {
    std::string out;
    out.reserve(120 * kPoints);
    for (const bw::Vec3f& p : c.points) {
        out += "v ";
        AppendFloat(out, p.x);
        out += ' ';
        AppendFloat(out, p.y);
        out += ' ';
        AppendFloat(out, p.z);
        out += '\n';
    }
    for (const bw::Vec3f& n : c.normals) {
        out += "vn ";
        AppendFloat(out, n.x);
        out += ' ';
        AppendFloat(out, n.y);
        out += ' ';
        AppendFloat(out, n.z);
        out += '\n';
    }
    for (const bw::Quad& q : c.polygons) {
        out += 'f';
        for (std::uint16_t corner : q.corner) {
            out += ' ';
            AppendIndex(out, std::size_t(corner) + 1);
            out += "//";
            AppendIndex(out, std::size_t(corner) + 1);
        }
        out += '\n';
    }
    return out;
}

// The two files, written once in a scratch directory that is removed at exit.
struct MeshFiles {
    std::string directory;
    std::string objectPath;
    std::string objPath;
    std::uintmax_t objectBytes = 0;
    std::uintmax_t objBytes = 0;

    MeshFiles() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "bwloadbench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        directory = pattern;
        objectPath = directory + "/large.bwo";
        objPath = directory + "/large.obj";
        const bw::ObjectFileContents mesh = LargeMesh();
        std::string reason;
        if (!bw::WriteObjectFile(objectPath, mesh, &reason)) {
            std::fprintf(stderr, "cannot write %s: %s\n", objectPath.c_str(), reason.c_str());
            std::abort();
        }
        if (!bw::WriteFileAtomically(objPath, ObjText(mesh), &reason)) {
            std::fprintf(stderr, "cannot write %s: %s\n", objPath.c_str(), reason.c_str());
            std::abort();
        }
        objectBytes = std::filesystem::file_size(objectPath);
        objBytes = std::filesystem::file_size(objPath);
    }
    ~MeshFiles() {
        std::error_code ignored;
        std::filesystem::remove_all(directory, ignored);
    }
};

const MeshFiles& Files() {
    static const MeshFiles files;
    return files;
}

void BM_ReadWholeFile(benchmark::State& state) {
    const MeshFiles& files = Files();
    for (auto _ : state) {
        std::vector<std::uint8_t> bytes;
        if (!bw::ReadWholeFile(files.objectPath, bytes, nullptr))
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(files.objectBytes));
}
BENCHMARK(BM_ReadWholeFile)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_LoadObjectFile(benchmark::State& state) {
    const MeshFiles& files = Files();
    for (auto _ : state) {
        bw::PartObject part;
        std::string reason;
        if (!part.LoadObjectFile(files.objectPath, &reason)) {
            state.SkipWithError(reason.c_str());
            break;
        }
        if (part.PointCount() != kPoints || part.Polygons().size() != kQuads) {
            state.SkipWithError("the loaded mesh is not the one written");
            break;
        }
        benchmark::DoNotOptimize(part.TransformedPoints().data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(files.objectBytes));
}
BENCHMARK(BM_LoadObjectFile)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_TinyObjLoad(benchmark::State& state) {
    const MeshFiles& files = Files();
    for (auto _ : state) {
        tinyobj::attrib_t attrib;
        std::vector<tinyobj::shape_t> shapes;
        std::vector<tinyobj::material_t> materials;
        std::string warn, err;
        if (!tinyobj::LoadObj(&attrib, &shapes, &materials, &warn, &err, files.objPath.c_str(),
                              nullptr, /*triangulate=*/false)) {
            state.SkipWithError(err.c_str());
            break;
        }
        if (attrib.vertices.size() != 3 * kPoints || shapes.size() != 1 ||
            shapes[0].mesh.num_face_vertices.size() != kQuads) {
            state.SkipWithError("tinyobjloader did not read the whole mesh");
            break;
        }
        benchmark::DoNotOptimize(attrib.vertices.data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(files.objBytes));
}
BENCHMARK(BM_TinyObjLoad)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

int main(int argc, char** argv) {
    return bw::bench::RunBenchmarksWithRatios(
        argc, argv,
        {{"load/read", "BM_LoadObjectFile/min_time:1.000", "BM_ReadWholeFile/min_time:1.000"},
         {"obj/load", "BM_TinyObjLoad/iterations:2", "BM_LoadObjectFile/min_time:1.000"}});
}
