#include "manual_page.h"

namespace bw::library {

std::string ManualPage() {
    return R"(<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<title>Beastwright manual</title>
</head>
<body>
<h1>Beastwright</h1>
<p>Beastwright builds creatures out of body parts. Pick a part for each body part on the
<em>Select Parts</em> page; every part snaps onto its neighbours at their seams. Shape each part
on the <em>Edit Parts</em> page, and save the creature as a project.</p>
<h2>The sample library</h2>
<p>The object directory <code>Objects/Library</code> holds one folder per body part. Its files
are named after the creature type they belong to: <code>Fantasy</code>, <code>Female</code>,
<code>Insect</code>, <code>Male</code> and <code>Manga</code>, followed by the variant, as in
<code>Male-Slim.bwo</code>. Every part fits every neighbour, so types can be mixed freely.</p>
<p>The folder <code>Projects</code> holds a sample creature of every type and a mixed one;
<code>Objects/Prepared</code> holds one whole creature per type for the converter.</p>
<p>The full manual will follow.</p>
</body>
</html>
)";
}

}  // namespace bw::library
