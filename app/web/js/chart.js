// The chart of an item's bonuses across its grades, as geometry: one line
// per skill with a point per grade, the shown grade marked. The every-grade
// view draws it as SVG; the numbers here need no page.

export const CHART = { width: 460, height: 240, left: 36, right: 124, top: 14, bottom: 30 };

// `grades` and `skills` as the engine's grades answer gives them; `shown`
// the item number on display. Gives { lines: [{ skill, name, points: [{ x,
// y, grade, sum }], label: { x, y } }], marker: { x, grade } or null, ticks,
// top }, where top is the largest sum the axis reaches.
export function chartModel(grades, skills, shown, size = CHART) {
  const plotWidth = size.width - size.left - size.right;
  const plotHeight = size.height - size.top - size.bottom;
  const sums = grades.map((grade) => new Map(grade.bonuses.map((bonus) => [bonus.skill, bonus.sum])));
  const all = sums.flatMap((map) => [...map.values()]);
  const top = Math.max(1, ...all);
  const bottom = Math.min(0, ...all);
  const lastGrade = Math.max(1, ...grades.map((grade) => grade.grade));
  const x = (grade) => size.left + (plotWidth * grade) / lastGrade;
  const y = (sum) => size.top + (plotHeight * (top - sum)) / (top - bottom);
  const lines = skills.map((skill) => {
    const points = grades.map((grade, index) => {
      const sum = sums[index].get(skill.index) ?? 0;
      return { x: x(grade.grade), y: y(sum), grade: grade.grade, sum };
    });
    const last = points[points.length - 1];
    return { skill: skill.index, name: skill.name, points, label: { x: last ? last.x + 6 : size.left, y: last ? last.y : size.top } };
  });
  spreadLabels(lines, 13);
  const current = grades.find((grade) => grade.number === shown);
  return {
    lines,
    marker: current ? { x: x(current.grade), grade: current.grade } : null,
    ticks: grades.map((grade) => ({ x: x(grade.grade), grade: grade.grade })),
    top,
    bottom,
    zero: y(0),
  };
}

// Moves the labels at the lines' ends apart, so that no two overlap.
function spreadLabels(lines, gap) {
  const byHeight = [...lines].sort((a, b) => a.label.y - b.label.y);
  for (let i = 1; i < byHeight.length; ++i) {
    const above = byHeight[i - 1].label;
    if (byHeight[i].label.y < above.y + gap) byHeight[i].label.y = above.y + gap;
  }
}

// The chart in words, for screen readers: a sentence per skill.
export function chartText(model) {
  return model.lines.map((line) =>
    `${line.name}: ${line.points.map((point) => `${point.grade}. fokozat ${point.sum}`).join(", ")}.`);
}
