// Reference tables for the colour tests, one case a line, tab-separated:
//   css_colours.tsv   input, backdrop RRGGBB, the panel's colour RRGGBB or "-"
//   apca.tsv          text RRGGBB, background RRGGBB, Lc (full precision), shown figure
//   colour_blind.tsv  text RRGGBB, background RRGGBB, worst deficiency, shown ratio
// Run through make_tables.sh. The cases are drawn from a fixed seed, so a run
// writes the same tables again.
import Color from "colorjs.io";
import { APCAcontrast, sRGBtoY } from "apca-w3";
import { writeFileSync } from "node:fs";
import { join } from "node:path";

const out = process.argv[2];

let seed = 26;
function random() {  // mulberry32
  seed = (seed + 0x6d2b79f5) | 0;
  let t = Math.imul(seed ^ (seed >>> 15), 1 | seed);
  t = (t + Math.imul(t ^ (t >>> 7), 61 | t)) ^ t;
  return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
}
const between = (low, high) => low + (high - low) * random();
const byte = () => Math.floor(random() * 256);
const pick = (list) => list[Math.floor(random() * list.length)];
const num = (v, places = 3) => String(Number(v.toFixed(places)));
const hex2 = (v) => v.toString(16).padStart(2, "0").toUpperCase();
const hexOf = ([r, g, b]) => hex2(r) + hex2(g) + hex2(b);
const randomRgb = () => [byte(), byte(), byte()];

// ---- CSS colours ----------------------------------------------------------

const WHITE = [255, 255, 255];

// CSS Color 4 clamps these at parse time; colorjs keeps them as written.
function clampAsCss(notation, color) {
  const c = color.coords.map((v) => (v === null || Number.isNaN(v) ? 0 : v));
  const clamp = (v, low, high) => Math.min(Math.max(v, low), high);
  switch (notation) {
    case "rgb": case "rgba": case "hex": case "named":
      return c.map((v) => clamp(v, 0, 1));
    case "hsl": case "hsla": case "hwb":
      return [c[0], clamp(c[1], 0, 100), clamp(c[2], 0, 100)];
    case "lab": return [clamp(c[0], 0, 100), c[1], c[2]];
    case "lch": return [clamp(c[0], 0, 100), Math.max(c[1], 0), c[2]];
    case "oklab": return [clamp(c[0], 0, 1), c[1], c[2]];
    case "oklch": return [clamp(c[0], 0, 1), Math.max(c[1], 0), c[2]];
    default: return c;
  }
}

function reference(input, backdrop) {
  const m = /^\s*(?:(?:background-color|background|color)\s*:)?\s*(.*?)\s*;?\s*$/is.exec(input);
  let value = m[1].toLowerCase();  // case is ours to ignore
  if (/^[0-9a-f]{6}$/i.test(value)) value = "#" + value;
  const parsed = new Color(value);  // throws on a text that is no colour
  const notation = value.startsWith("#") ? "hex"
                 : value.includes("(") ? value.slice(0, value.indexOf("(")) : "named";
  const alpha = Math.min(Math.max(parsed.alpha ?? 0, 0), 1);
  const clamped = new Color(parsed.space, clampAsCss(notation, parsed), alpha);
  const mapped = clamped.to("srgb").toGamut({ method: "css" });
  return hexOf(mapped.coords.map((c, i) => {
    const v = Math.min(Math.max(c, 0), 1);
    const mixed = alpha * v * 255 + (1 - alpha) * backdrop[i];
    return Math.min(Math.max(Math.floor(mixed + 0.5), 0), 255);
  }));
}

const cases = [];  // [input, backdrop]
const add = (input, backdrop = WHITE) => cases.push([input, backdrop]);
const alphaText = () => pick([num(random(), 2), `${num(random() * 100, 1)}%`]);
const percent = (low, high) => `${num(between(low, high), 2)}%`;
const hue = () => pick([
  num(between(-400, 800), 2), `${num(between(0, 360), 1)}deg`, `${num(between(-1, 2), 3)}turn`,
  `${num(between(0, 7), 3)}rad`, `${num(between(0, 400), 1)}grad`]);
const decorate = (text) => pick([
  text, text.toUpperCase(), `  ${text} `, `color: ${text};`, `background:${text}`,
  `Background-Color : ${text} ;`, `${text};`]);

// Hex, in every length.
for (let i = 0; i < 24; ++i) {
  const [r, g, b] = randomRgb();
  const h = [r, g, b].map(hex2).join("").toLowerCase();
  const a = hex2(byte()).toLowerCase();
  const s = h[0] + h[2] + h[4];
  add(decorate(pick([`#${h}`, `#${s}`, h, `#${h}${a}`, `#${s}${a[0]}`])), randomRgb());
}
// rgb() and rgba(), comma and space syntax.
for (let i = 0; i < 40; ++i) {
  const [r, g, b] = randomRgb();
  const p = () => percent(0, 100);
  const forms = [
    `rgb(${r}, ${g}, ${b})`, `rgba(${r},${g},${b},${alphaText()})`, `rgb(${p()}, ${p()}, ${p()})`,
    `rgb(${r} ${g} ${b})`, `rgb(${r} ${p()} ${num(between(0, 255), 2)} / ${alphaText()})`,
    `rgba(${r} ${g} ${b} / ${alphaText()})`, `rgb(${num(between(-50, 320), 1)} ${g} ${b})`,
    `rgb(none ${g} ${b})`];
  add(decorate(forms[i % forms.length]), randomRgb());
}
// hsl(), hsla(), hwb().
for (let i = 0; i < 40; ++i) {
  const s = percent(0, 100), l = percent(0, 100);
  const forms = [
    `hsl(${num(between(0, 360), 1)}, ${s}, ${l})`, `hsla(${num(between(0, 360))}, ${s}, ${l}, ${alphaText()})`,
    `hsl(${hue()} ${s} ${l})`, `hsl(${hue()} ${num(between(0, 100), 1)} ${l} / ${alphaText()})`,
    `hwb(${hue()} ${percent(0, 60)} ${percent(0, 60)})`, `hwb(${hue()} ${percent(40, 90)} ${percent(40, 90)})`,
    `hwb(${hue()} ${percent(0, 50)} ${percent(0, 50)} / ${alphaText()})`, `hsl(${hue()} ${percent(0, 130)} ${l})`];
  add(decorate(forms[i % forms.length]), randomRgb());
}
// Every named colour.
for (const name of ["aliceblue", "antiquewhite", "aqua", "aquamarine", "azure", "beige", "bisque", "black", "blanchedalmond", "blue", "blueviolet", "brown", "burlywood", "cadetblue", "chartreuse", "chocolate", "coral", "cornflowerblue", "cornsilk", "crimson", "cyan", "darkblue", "darkcyan", "darkgoldenrod", "darkgray", "darkgreen", "darkgrey", "darkkhaki", "darkmagenta", "darkolivegreen", "darkorange", "darkorchid", "darkred", "darksalmon", "darkseagreen", "darkslateblue", "darkslategray", "darkslategrey", "darkturquoise", "darkviolet", "deeppink", "deepskyblue", "dimgray", "dimgrey", "dodgerblue", "firebrick", "floralwhite", "forestgreen", "fuchsia", "gainsboro", "ghostwhite", "gold", "goldenrod", "gray", "green", "greenyellow", "grey", "honeydew", "hotpink", "indianred", "indigo", "ivory", "khaki", "lavender", "lavenderblush", "lawngreen", "lemonchiffon", "lightblue", "lightcoral", "lightcyan", "lightgoldenrodyellow", "lightgray", "lightgreen", "lightgrey", "lightpink", "lightsalmon", "lightseagreen", "lightskyblue", "lightslategray", "lightslategrey", "lightsteelblue", "lightyellow", "lime", "limegreen", "linen", "magenta", "maroon", "mediumaquamarine", "mediumblue", "mediumorchid", "mediumpurple", "mediumseagreen", "mediumslateblue", "mediumspringgreen", "mediumturquoise", "mediumvioletred", "midnightblue", "mintcream", "mistyrose", "moccasin", "navajowhite", "navy", "oldlace", "olive", "olivedrab", "orange", "orangered", "orchid", "palegoldenrod", "palegreen", "paleturquoise", "palevioletred", "papayawhip", "peachpuff", "peru", "pink", "plum", "powderblue", "purple", "rebeccapurple", "red", "rosybrown", "royalblue", "saddlebrown", "salmon", "sandybrown", "seagreen", "seashell", "sienna", "silver", "skyblue", "slateblue", "slategray", "slategrey", "snow", "springgreen", "steelblue", "tan", "teal", "thistle", "tomato", "turquoise", "violet", "wheat", "white", "whitesmoke", "yellow", "yellowgreen"]) {
  add(random() < 0.2 ? decorate(name) : name);
}
// lab(), lch(), oklab(), oklch(): in gamut and far outside it.
for (let i = 0; i < 72; ++i) {
  const wide = i % 2 === 1;
  const slash = random() < 0.25 ? ` / ${alphaText()}` : "";
  const forms = [
    () => `lab(${num(between(0, 100), 2)} ${num(between(-1, 1) * (wide ? 160 : 40), 2)} ${num(between(-1, 1) * (wide ? 160 : 40), 2)}${slash})`,
    () => `lab(${percent(0, 100)} ${percent(-100, 100)} ${num(between(-60, 60), 1)}${slash})`,
    () => `lch(${num(between(0, 100), 2)} ${num(between(0, wide ? 230 : 30), 2)} ${hue()}${slash})`,
    () => `lch(${percent(0, 100)} ${percent(0, wide ? 150 : 20)} ${hue()}${slash})`,
    () => `oklab(${num(between(0, 1), 3)} ${num(between(-1, 1) * (wide ? 0.5 : 0.1), 3)} ${num(between(-1, 1) * (wide ? 0.5 : 0.1), 3)}${slash})`,
    () => `oklab(${percent(0, 100)} ${percent(-100, 100)} ${num(between(-0.2, 0.2), 3)}${slash})`,
    () => `oklch(${num(between(0, 1), 3)} ${num(between(0, wide ? 0.5 : 0.08), 3)} ${hue()}${slash})`,
    () => `oklch(${percent(0, 100)} ${percent(0, wide ? 100 : 15)} ${hue()}${slash})`,
    () => `oklch(${num(between(0.3, 0.9), 3)} ${num(between(0.25, 0.5), 3)} ${num(between(0, 360), 1)}${slash})`];
  add(decorate(forms[i % forms.length]()), randomRgb());
}
// Lightness beyond its range, hues named "none", negative chroma.
for (const text of ["lab(120 20 -20)", "lab(-5 10 10)", "lch(100 50 120)", "oklab(1.2 0.1 0.1)",
                    "oklch(0 0.2 20)", "oklch(100% 0.3 40)", "oklch(0.6 -0.1 40)", "lch(50 -5 10)",
                    "oklch(0.7 0.15 none)", "lch(none 40 none)", "oklab(0.5 none 0.1)", "lab(50 0 0 / none)"])
  add(text);
// color() in the three rgb spaces, in gamut and out.
for (let i = 0; i < 36; ++i) {
  const space = ["srgb", "srgb-linear", "display-p3"][i % 3];
  const wide = i % 2 === 1;
  const c = () => wide ? num(between(-0.3, 1.3), 3) : pick([num(random(), 3), percent(0, 100)]);
  const slash = random() < 0.25 ? ` / ${alphaText()}` : "";
  add(decorate(`color(${space} ${c()} ${c()} ${c()}${slash})`), randomRgb());
}
for (const text of ["color(display-p3 1 0 0)", "color(display-p3 0 1 0)", "color(display-p3 0 0 1)",
                    "color(srgb 1.2 -0.1 0.5)", "color(srgb-linear 2 0 0)", "color(srgb 1 1 1)"])
  add(text);
// Alpha over white, as the background panel composites.
for (let i = 0; i < 12; ++i) add(`rgb(${randomRgb().join(" ")} / ${alphaText()})`);
for (const text of ["transparent", "#0000", "rgb(10 20 30 / 0)", "rgb(10 20 30 / 150%)",
                    "rgba(10, 20, 30, -1)", "hsl(10 20% 30% / 50%)"])
  add(text, [12, 34, 56]);

// Not colours to CSS Color 4, whatever lenient parsers make of them.
const malformed = [
  "", "   ", "rgb(1,2)", "#12345", "hsl(x)", "oklch(50% 0.1)", "#1234567", "#ggg", "##123",
  "rgb(1, 2, 3,)", "rgb(1 2 3 4)", "rgb(1, 2 3)", "rgb(10%, 20, 30)", "rgb(1 2 3 / )",
  "rgb(1 2 3 / 4 / 5)", "rgb(1 2 3", "rgb (1 2 3)", "rgb(1 2 3))", "rgb(1 2 3) x", "rgb(1,2,3 / 1)",
  "rgb(none, 2, 3)", "rgb(1 2 3deg)", "rgb(1.2.3 4 5)", "rgb(1e 2 3)", "rgb(3. 2 1)", "rgb(+-1 2 3)",
  "hsl(120, 50, 50)", "hsl(120 50% 50% 0.5)", "hsl(120px 50% 50%)", "hsl(120deg, 50%)",
  "hwb(120, 10%, 20%)", "lab(50, 40, 30)", "lab(50 40)", "lch(50 40 30deg 1)",
  "oklab(0.5 0.1 0.1 0.1)", "oklch(0.5 0.1 10%)", "color(srgb 1 0)", "color(xyz 0 0 0)",
  "color(display-p3, 1, 0, 0)", "color(rec2020 1 0 0)", "color( 1 0 0)", "color(srgb1 0 0)",
  "redd", "red blue", "rebecca purple", "currentcolor", "inherit", "color:", "color: ;",
  "font: red", "color: red !important", "rgb(1 2 3);;", "1a2b3", "1a2b3c4d", "0x1a2b3c",
  "rgb(1e999 2 3)", "rgb(nan 2 3)", "rgb(calc(1) 2 3)", "rgb(1 2 3/)", "rgba(1,2,3,4,5)",
  "hsl(1turn 2turn 3turn)", "#1a2b3c!", "rgb(1\u00a02 3)"];

const lines = [];
for (const [input, backdrop] of cases) {
  if (/[\t\n]/.test(input)) throw new Error(`unusable case ${input}`);
  lines.push(`${input}\t${hexOf(backdrop)}\t${reference(input, backdrop)}`);
}
for (const input of malformed) lines.push(`${input}\tFFFFFF\t-`);
writeFileSync(join(out, "css_colours.tsv"), lines.join("\n") + "\n");

// ---- APCA -------------------------------------------------------------------

// One decimal, halves away from zero.
const lcText = (lc) => {
  const tenths = Math.sign(lc) * Math.round(Math.abs(lc) * 10);
  const sign = tenths < 0 ? "-" : "";
  const a = Math.abs(tenths);
  return `${sign}${Math.floor(a / 10)},${a % 10}`;
};
const lcOf = (t, b) => APCAcontrast(sRGBtoY(t), sRGBtoY(b));

// Pairs on both sides of each of APCA's thresholds: the soft black clamp
// (Y 0.022), the smallest luminance step (0.0005) and the low clip (Lc
// about 10 either way); plus the extremes and a random spread.
const apcaPairs = [[[0, 0, 0], WHITE], [WHITE, [0, 0, 0]], [[255, 0, 0], [0, 0, 0]],
                   [[136, 136, 136], WHITE], [WHITE, [136, 136, 136]], [[0, 0, 0], [0, 0, 0]]];
for (let i = 0; i < 40; ++i) apcaPairs.push([randomRgb(), randomRgb()]);
const nearest = {};
const consider = (key, distance, pair) => {
  if (!(key in nearest) || distance < nearest[key][0]) nearest[key] = [distance, pair];
};
const blkThrs = 0.022, blkClmp = 1.414;
const clampY = (y) => (y > blkThrs ? y : y + Math.pow(blkThrs - y, blkClmp));
for (let i = 0; i < 400000; ++i) {
  const grey = random() < 0.5;
  const t = grey ? Array(3).fill(byte()) : randomRgb();
  const b = grey && random() < 0.5 ? Array(3).fill(byte()) : randomRgb();
  const ty = sRGBtoY(t), by = sRGBtoY(b);
  const side = (v, at) => (v < at ? "below" : "above");
  consider(`black ${side(ty, blkThrs)}`, Math.abs(ty - blkThrs), [t, b]);
  const dy = Math.abs(clampY(by) - clampY(ty));
  consider(`step ${side(dy, 0.0005)}`, Math.abs(dy - 0.0005), [t, b]);
  const sapc = by > ty ? (Math.pow(clampY(by), 0.56) - Math.pow(clampY(ty), 0.57)) * 1.14
                       : (Math.pow(clampY(by), 0.65) - Math.pow(clampY(ty), 0.62)) * 1.14;
  const polarity = by > ty ? "dark on light" : "light on dark";
  consider(`clip ${polarity} ${side(Math.abs(sapc), 0.1)}`, Math.abs(Math.abs(sapc) - 0.1), [t, b]);
}
for (const [, pair] of Object.values(nearest)) apcaPairs.push(pair);
writeFileSync(join(out, "apca.tsv"), apcaPairs.map(([t, b]) => {
  const lc = lcOf(t, b);
  return `${hexOf(t)}\t${hexOf(b)}\t${lc.toPrecision(17)}\t${lcText(lc)}`;
}).join("\n") + "\n");

// ---- Colour-vision deficiencies --------------------------------------------

// Machado, Oliveira & Fernandes (2009), severity 1.0, on linear sRGB.
const MACHADO = {
  protanopia: [[0.152286, 1.052583, -0.204868], [0.114503, 0.786281, 0.099216], [-0.003882, -0.048116, 1.051998]],
  deuteranopia: [[0.367322, 0.860646, -0.227968], [0.280085, 0.672501, 0.047413], [-0.011820, 0.042940, 0.968881]],
  tritanopia: [[1.255528, -0.076749, -0.178779], [-0.078411, 0.930809, 0.147602], [0.004733, 0.691367, 0.303900]],
};
const linear = (c) => {
  const v = c / 255;
  return v <= 0.04045 ? v / 12.92 : Math.pow((v + 0.055) / 1.055, 2.4);
};
// Luminance in units of 1/10000, as the WCAG figure is computed.
const scaledY = ([r, g, b]) => 2126 * r + 7152 * g + 722 * b;
const seen = (m, rgb) => {
  const l = rgb.map(linear);
  return m.map((row) => Math.min(Math.max(row[0] * l[0] + row[1] * l[1] + row[2] * l[2], 0), 1));
};
const ratioOf = (a, b) => {
  const ya = scaledY(a), yb = scaledY(b);
  return (Math.max(ya, yb) + 500) / (Math.min(ya, yb) + 500);
};
const worst = (t, b) => {
  let name = null, ratio = Infinity;
  for (const [n, m] of Object.entries(MACHADO)) {
    const r = ratioOf(seen(m, t), seen(m, b));
    if (r < ratio) { name = n; ratio = r; }
  }
  return [name, ratio];
};
const ratioText = (r) => {
  const h = Math.floor(r * 100);
  return `${Math.floor(h / 100)},${String(h % 100).padStart(2, "0")}:1`;
};
// Pairs whose worst ratio lies just below and just above 3, 4.5 and 7, each
// deficiency named at least once, ties, and a random spread.
const blindPairs = [[[255, 0, 0], [0, 0, 0]], [[0, 0, 0], [0, 0, 0]], [WHITE, WHITE],
                    [WHITE, [0, 0, 0]], [[0, 0, 255], [255, 255, 0]]];
for (let i = 0; i < 30; ++i) blindPairs.push([randomRgb(), randomRgb()]);
const near = {};
for (let i = 0; i < 400000; ++i) {
  const t = randomRgb(), b = randomRgb();
  const [name, r] = worst(t, b);
  for (const at of [3, 4.5, 7]) {
    const key = `${at} ${r < at ? "below" : "above"}`;
    const d = Math.abs(r - at);
    if (!(key in near) || d < near[key][0]) near[key] = [d, [t, b]];
  }
  if (!(name in near)) near[name] = [0, [t, b]];
}
for (const [, pair] of Object.values(near)) blindPairs.push(pair);
writeFileSync(join(out, "colour_blind.tsv"), blindPairs.map(([t, b]) => {
  const [name, r] = worst(t, b);
  return `${hexOf(t)}\t${hexOf(b)}\t${name}\t${ratioText(r)}`;
}).join("\n") + "\n");
