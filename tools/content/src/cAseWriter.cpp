// ASCII scene export writer: header, scene, materials, one GEOMOBJECT a part.
#include "cAseWriter.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <fstream>

namespace {

void appendf(std::string& out, const char* fmt, ...) __attribute__((format(printf, 2, 3)));
void appendf(std::string& out, const char* fmt, ...) {
    char buf[512];
    va_list ap;
    va_start(ap, fmt);
    const int n = std::vsnprintf(buf, sizeof buf, fmt, ap);
    va_end(ap);
    if (n > 0) out.append(buf, size_t(std::min(n, int(sizeof buf) - 1)));
}

// Four decimals, as the exporter writes; "-0.0000" is written as "0.0000".
double clean(double v) {
    const double r = std::round(v * 10000.0) / 10000.0;
    return r == 0.0 ? 0.0 : r;
}

// Quaternion built from the numbers as they are written to the file, so the
// chain of written keys is what the reader multiplies up.
sQuat writtenRotation(sVec3 axis, double angle) {
    return sQuat::axisAngle({clean(axis[0]), clean(axis[1]), clean(axis[2])}, clean(angle));
}

}  // namespace

cAseWriter::cAseWriter(std::string sceneName, int last, int ticks)
    : scene(std::move(sceneName)), lastFrame(last), ticksPerFrame(ticks) {}

void cAseWriter::add(const cModelPart& part, const std::string& textureFile) {
    entries.push_back({&part, part.uvs().empty() ? std::string() : textureFile});
}

std::string cAseWriter::text() const {
    std::string out;
    out += "*3DSMAX_ASCIIEXPORT\t200\n";
    out += "*COMMENT \"AsciiExport Version  2,00 - Orbix-TAL content generator\"\n";
    out += "*SCENE {\n";
    appendf(out, "\t*SCENE_FILENAME \"%s.max\"\n", scene.c_str());
    out += "\t*SCENE_FIRSTFRAME 0\n";
    appendf(out, "\t*SCENE_LASTFRAME %d\n", lastFrame);
    out += "\t*SCENE_FRAMESPEED 30\n";
    appendf(out, "\t*SCENE_TICKSPERFRAME %d\n", ticksPerFrame);
    out += "\t*SCENE_BACKGROUND_STATIC 0.0000\t0.0000\t0.0000\n";
    out += "\t*SCENE_AMBIENT_STATIC 0.0000\t0.0000\t0.0000\n";
    out += "}\n";
    out += "*MATERIAL_LIST {\n";
    appendf(out, "\t*MATERIAL_COUNT %d\n", int(entries.size()));
    for (size_t i = 0; i < entries.size(); i++) {
        appendf(out, "\t*MATERIAL %d {\n", int(i));
        appendf(out, "\t\t*MATERIAL_NAME \"%s_mat\"\n", entries[i].part->name().c_str());
        out += "\t\t*MATERIAL_CLASS \"Standard\"\n";
        out += "\t\t*MATERIAL_AMBIENT 0.5000\t0.5000\t0.5000\n";
        out += "\t\t*MATERIAL_DIFFUSE 0.8000\t0.8000\t0.8000\n";
        out += "\t\t*MATERIAL_SPECULAR 0.9000\t0.9000\t0.9000\n";
        out += "\t\t*MATERIAL_SHINE 0.1000\n";
        out += "\t\t*MATERIAL_SHINESTRENGTH 0.0000\n";
        out += "\t\t*MATERIAL_TRANSPARENCY 0.0000\n";
        out += "\t\t*MATERIAL_WIRESIZE 1.0000\n";
        if (!entries[i].texture.empty()) {
            out += "\t\t*MAP_DIFFUSE {\n";
            out += "\t\t\t*MAP_NAME \"Map #1\"\n";
            out += "\t\t\t*MAP_CLASS \"Bitmap\"\n";
            out += "\t\t\t*MAP_AMOUNT 1.0000\n";
            appendf(out, "\t\t\t*BITMAP \"%s\"\n", entries[i].texture.c_str());
            out += "\t\t}\n";
        }
        out += "\t}\n";
    }
    out += "}\n";
    for (size_t i = 0; i < entries.size(); i++) writeObject(out, entries[i], int(i));
    return out;
}

void cAseWriter::writeObject(std::string& out, const sEntry& e, int material) const {
    const cModelPart& p = *e.part;
    const sVec3 pv = p.pivot();
    const char* name = p.name().c_str();
    out += "*GEOMOBJECT {\n";
    appendf(out, "\t*NODE_NAME \"%s\"\n", name);
    out += "\t*NODE_TM {\n";
    appendf(out, "\t\t*NODE_NAME \"%s\"\n", name);
    out += "\t\t*INHERIT_POS 0 0 0\n\t\t*INHERIT_ROT 0 0 0\n\t\t*INHERIT_SCL 0 0 0\n";
    out += "\t\t*TM_ROW0 1.0000\t0.0000\t0.0000\n";
    out += "\t\t*TM_ROW1 0.0000\t1.0000\t0.0000\n";
    out += "\t\t*TM_ROW2 0.0000\t0.0000\t1.0000\n";
    appendf(out, "\t\t*TM_ROW3 %.4f\t%.4f\t%.4f\n", clean(pv[0]), clean(pv[1]), clean(pv[2]));
    appendf(out, "\t\t*TM_POS %.4f\t%.4f\t%.4f\n", clean(pv[0]), clean(pv[1]), clean(pv[2]));
    // An identity turn with a proper axis: a zero axis cannot be normalised.
    out += "\t\t*TM_ROTAXIS 0.0000\t0.0000\t1.0000\n";
    out += "\t\t*TM_ROTANGLE 0.0000\n";
    out += "\t\t*TM_SCALE 1.0000\t1.0000\t1.0000\n";
    out += "\t\t*TM_SCALEAXIS 0.0000\t0.0000\t0.0000\n";
    out += "\t\t*TM_SCALEAXISANG 0.0000\n";
    out += "\t}\n";

    const auto& v = p.vertices();
    const auto& f = p.faces();
    const auto& n = p.normals();
    const auto& uv = p.uvs();
    out += "\t*MESH {\n";
    out += "\t\t*TIMEVALUE 0\n";
    appendf(out, "\t\t*MESH_NUMVERTEX %d\n", int(v.size()));
    appendf(out, "\t\t*MESH_NUMFACES %d\n", int(f.size()));
    out += "\t\t*MESH_VERTEX_LIST {\n";
    for (size_t i = 0; i < v.size(); i++)
        appendf(out, "\t\t\t*MESH_VERTEX %4d\t%.4f\t%.4f\t%.4f\n", int(i), clean(v[i][0]), clean(v[i][1]),
                clean(v[i][2]));
    out += "\t\t}\n";
    out += "\t\t*MESH_FACE_LIST {\n";
    for (size_t i = 0; i < f.size(); i++)
        appendf(out,
                "\t\t\t*MESH_FACE %4d:    A: %4d B: %4d C: %4d AB:    1 BC:    1 CA:    1\t *MESH_SMOOTHING 1 \t"
                "*MESH_MTLID 0\n",
                int(i), f[i][0], f[i][1], f[i][2]);
    out += "\t\t}\n";
    if (!uv.empty()) {
        appendf(out, "\t\t*MESH_NUMTVERTEX %d\n", int(uv.size()));
        out += "\t\t*MESH_TVERTLIST {\n";
        for (size_t i = 0; i < uv.size(); i++)
            appendf(out, "\t\t\t*MESH_TVERT %d\t%.4f\t%.4f\t0.0000\n", int(i), clean(uv[i][0]), clean(uv[i][1]));
        out += "\t\t}\n";
        appendf(out, "\t\t*MESH_NUMTVFACES %d\n", int(f.size()));
        out += "\t\t*MESH_TFACELIST {\n";
        for (size_t i = 0; i < f.size(); i++)
            appendf(out, "\t\t\t*MESH_TFACE %d\t%d\t%d\t%d\n", int(i), f[i][0], f[i][1], f[i][2]);
        out += "\t\t}\n";
    }
    out += "\t\t*MESH_NUMCVERTEX 0\n";
    out += "\t\t*MESH_NORMALS {\n";
    for (size_t i = 0; i < f.size(); i++) {
        const sVec3 a = v[size_t(f[i][0])], b = v[size_t(f[i][1])], c = v[size_t(f[i][2])];
        sVec3 fn = {(b[1] - a[1]) * (c[2] - a[2]) - (b[2] - a[2]) * (c[1] - a[1]),
                    (b[2] - a[2]) * (c[0] - a[0]) - (b[0] - a[0]) * (c[2] - a[2]),
                    (b[0] - a[0]) * (c[1] - a[1]) - (b[1] - a[1]) * (c[0] - a[0])};
        const double l = std::sqrt(fn[0] * fn[0] + fn[1] * fn[1] + fn[2] * fn[2]);
        for (double& x : fn) x = l > 0 ? x / l : 0;
        appendf(out, "\t\t\t*MESH_FACENORMAL %d\t%.4f\t%.4f\t%.4f\n", int(i), clean(fn[0]), clean(fn[1]),
                clean(fn[2]));
        for (int k = 0; k < 3; k++) {
            const sVec3 vn = n[size_t(f[i][size_t(k)])];
            appendf(out, "\t\t\t\t*MESH_VERTEXNORMAL %d\t%.4f\t%.4f\t%.4f\n", f[i][size_t(k)], clean(vn[0]),
                    clean(vn[1]), clean(vn[2]));
        }
    }
    out += "\t\t}\n";
    out += "\t}\n";
    out += "\t*PROP_MOTIONBLUR 0\n\t*PROP_CASTSHADOW 1\n\t*PROP_RECVSHADOW 1\n";
    if (!p.poses().empty()) writeAnimation(out, p);
    appendf(out, "\t*MATERIAL_REF %d\n", material);
    out += "}\n";
}

void cAseWriter::writeAnimation(std::string& out, const cModelPart& part) const {
    const auto& poses = part.poses();
    out += "\t*TM_ANIMATION {\n";
    appendf(out, "\t\t*NODE_NAME \"%s\"\n", part.name().c_str());
    out += "\t\t*CONTROL_POS_TRACK {\n";
    for (size_t i = 0; i < poses.size(); i++)
        appendf(out, "\t\t\t*CONTROL_POS_SAMPLE %d\t%.4f\t%.4f\t%.4f\n", int(i) * ticksPerFrame, clean(poses[i].pos[0]),
                clean(poses[i].pos[1]), clean(poses[i].pos[2]));
    out += "\t\t}\n";
    // Rotation keys are turns relative to the key before, and the game applies
    // each against its written angle. Each key is worked out from what the keys
    // written so far add up to, so rounding never drifts over the frames.
    out += "\t\t*CONTROL_ROT_TRACK {\n";
    sQuat reached;
    for (size_t i = 0; i < poses.size(); i++) {
        sQuat delta = poses[i].rot * reached.conjugate();
        if (delta.w < 0) delta = {-delta.w, -delta.x, -delta.y, -delta.z};
        const double s = std::sqrt(delta.x * delta.x + delta.y * delta.y + delta.z * delta.z);
        sVec3 axis{0, 0, 1};
        double angle = 0;
        if (s > 1e-9) {
            axis = {delta.x / s, delta.y / s, delta.z / s};
            angle = 2 * std::atan2(s, delta.w);
        }
        if (std::fabs(clean(angle)) == 0.0 || std::fabs(clean(axis[0])) + std::fabs(clean(axis[1])) + std::fabs(clean(axis[2])) == 0.0) {
            axis = {0, 0, 1};
            angle = 0;
        }
        appendf(out, "\t\t\t*CONTROL_ROT_SAMPLE %d\t%.4f\t%.4f\t%.4f\t%.4f\n", int(i) * ticksPerFrame, clean(axis[0]),
                clean(axis[1]), clean(axis[2]), clean(-angle));
        reached = writtenRotation(axis, angle) * reached;
    }
    out += "\t\t}\n";
    out += "\t}\n";
}

bool cAseWriter::save(const std::string& path) const {
    std::ofstream f(path, std::ios::binary);
    if (!f) return false;
    const std::string t = text();
    f.write(t.data(), std::streamsize(t.size()));
    return bool(f);
}
