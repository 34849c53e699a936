// Runs an EPANET input file through EPANET's own engine (epanet-js) and compares, per pipe, the
// solved flow and head loss with the design table's, and the pressure at both ends of the pipe
// with the table's residual heads.
//
// usage: node compare.mjs MODULES_DIR SCHEME.inp EXPECTED.json [TOLERANCE]
//   MODULES_DIR  the folder epanet-js was installed into (its node_modules/ inside)
//   TOLERANCE    the largest difference allowed, as a fraction (default 0.02): of the table's
//                value, or of 0.01 l/s / 1 m when the value is smaller (a head of 0 at a tank)
// Prints the largest difference of each kind; exit status 1 when one is beyond the tolerance.
import fs from "fs";
import path from "path";
import { pathToFileURL } from "url";

const [modules, inpFile, expectedFile, toleranceText] = process.argv.slice(2);
const tolerance = toleranceText ? Number(toleranceText) : 0.02;
const entry = path.join(modules, "node_modules", "epanet-js", "dist", "index.mjs");
const { Project, Workspace, LinkProperty, NodeProperty, InitHydOption } = await import(
  pathToFileURL(entry).href
);

const ws = new Workspace();
if (typeof ws.loadModule === "function") await ws.loadModule();
const model = new Project(ws);
ws.writeFile("scheme.inp", fs.readFileSync(inpFile, "utf8"));
model.open("scheme.inp", "scheme.rpt", "scheme.bin");
model.openH();
model.initH(InitHydOption ? InitHydOption.NoSave : 0);
model.runH();

const expected = JSON.parse(fs.readFileSync(expectedFile, "utf8")).pipes;
const kinds = {
  flow: { floor: 0.01, unit: "l/s" },
  headLoss: { floor: 1, unit: "m" },
  startResidual: { floor: 1, unit: "m" },
  endResidual: { floor: 1, unit: "m" },
};
const worst = {};
let failures = 0;

function compare(kind, pipe, solved, design, where) {
  const diff = Math.abs(solved - design);
  const relative = diff / Math.max(Math.abs(design), kinds[kind].floor);
  if (!worst[kind] || relative > worst[kind].relative) {
    worst[kind] = { relative, solved, design, where: `${pipe.id} (${pipe.section})${where}` };
  }
  if (relative > tolerance) {
    failures++;
    console.log(
      `FAIL ${kind} of ${pipe.id} (${pipe.section})${where}: EPANET ${solved.toFixed(4)}, ` +
        `table ${design.toFixed(4)} ${kinds[kind].unit} (${(relative * 100).toFixed(2)} %)`,
    );
  }
}

for (const pipe of expected) {
  const link = model.getLinkIndex(pipe.id);
  const { node1, node2 } = model.getLinkNodes(link);
  compare("flow", pipe, model.getLinkValue(link, LinkProperty.Flow), pipe.flow, "");
  compare("headLoss", pipe, model.getLinkValue(link, LinkProperty.Headloss), pipe.headLoss, "");
  compare("startResidual", pipe, model.getNodeValue(node1, NodeProperty.Pressure),
    pipe.startResidual, " at " + model.getNodeId(node1));
  compare("endResidual", pipe, model.getNodeValue(node2, NodeProperty.Pressure),
    pipe.endResidual, " at " + model.getNodeId(node2));
}
model.closeH();
model.close();

console.log(`${expected.length} pipes compared with EPANET (tolerance ${tolerance * 100} %).`);
for (const [kind, w] of Object.entries(worst)) {
  console.log(
    `largest ${kind} difference: ${(w.relative * 100).toFixed(3)} % ` +
      `(EPANET ${w.solved.toFixed(4)}, table ${w.design.toFixed(4)} ${kinds[kind].unit}` +
      `, ${w.where})`,
  );
}
process.exit(failures === 0 ? 0 : 1);
