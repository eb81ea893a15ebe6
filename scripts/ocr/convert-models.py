#!/usr/bin/python3
"""Rewrites PaddleOCR's PP-OCRv4 ONNX networks into forms OpenCV 4.6's dnn loads.

The networks as shipped use operators and dynamic shapes that OpenCV 4.6 either
rejects or computes wrongly; each rewrite below gives the same arithmetic:

- Clip: its bounds as attributes instead of inputs (4.6 takes one input).
- ConvTranspose followed by a bias Add and a BatchNormalization: both folded into
  the ConvTranspose's weights and bias; 4.6 fuses them itself but redoes the fusion
  wrongly whenever the input size changes.
- Reshapes whose target is computed from Shape nodes: constant targets that copy
  (0) or infer (-1) the width-dependent lengths, so any width works.
- Squeeze: a Reshape.
- The recognition's final Softmax dropped: the reader needs only each step's
  likeliest class and its probability, which it works out for that one class,
  instead of OpenCV normalising all 6625 classes at every step (a fifth of the time).
- A Conv followed by a multiplication and an addition of constant scalars (the
  backbone's learnable affine): folded into the Conv's weights and bias.
- Hard swish (x · Clip(x + 3, 0, 6) / 6) as x · Clip(x / 6 + 1/2, 0, 1), a form
  whose passes OpenCV vectorises (its HardSwish layer is slower, see hard_swish).
- The recognition's depthwise 5 × 5 convolutions: four depthwise 3 × 3 ones with
  the same sum, which OpenCV runs many times faster.
- LayerNorm (ReduceMean, Sub, Pow, ReduceMean, Add, Sqrt, Div, Mul, Add): OpenCV's
  own MVN layer, then its scale as a matrix product with a diagonal matrix.

Usage: convert-models.py det|rec INPUT OUTPUT
"""
import sys

import numpy as np
import onnx
from onnx import helper, numpy_helper


def constants_to_initializers(graph):
    kept = []
    for node in graph.node:
        if node.op_type == "Constant":
            graph.initializer.append(numpy_helper.from_array(numpy_helper.to_array(node.attribute[0].t), node.output[0]))
        else:
            kept.append(node)
    del graph.node[:]
    graph.node.extend(kept)


def initializer_names(graph):
    return {i.name for i in graph.initializer}


def value(graph, name):
    for tensor in graph.initializer:
        if tensor.name == name:
            return numpy_helper.to_array(tensor)
    raise KeyError(name)


def set_value(graph, name, array):
    tensor = numpy_helper.from_array(array, name)
    for i, existing in enumerate(graph.initializer):
        if existing.name == name:
            graph.initializer[i].CopyFrom(tensor)
            return
    graph.initializer.append(tensor)


def attribute(node, name, default=None):
    for a in node.attribute:
        if a.name == name:
            return helper.get_attribute_value(a)
    return default


def producer(graph, name):
    return next((n for n in graph.node if name in n.output), None)


def consumers(graph, name):
    return [n for n in graph.node if name in n.input]


def clip_bounds_as_attributes(graph):
    for node in graph.node:
        if node.op_type == "Clip" and len(node.input) == 3:
            low, high = float(value(graph, node.input[1])), float(value(graph, node.input[2]))
            del node.input[1:]
            node.attribute.extend([helper.make_attribute("min", low), helper.make_attribute("max", high)])


def fold_into_convtranspose(graph):
    for node in list(graph.node):
        if node.op_type != "ConvTranspose" or len(node.input) != 2:
            continue
        weights = value(graph, node.input[1]).copy()
        bias = np.zeros(weights.shape[1] * attribute(node, "group", 1), np.float32)
        folded, output = [], node.output[0]
        while len(consumers(graph, output)) == 1:
            follower = consumers(graph, output)[0]
            if follower.op_type == "Add" and follower.input[1] in initializer_names(graph):
                bias = bias + value(graph, follower.input[1]).reshape(-1)
            elif follower.op_type == "BatchNormalization":
                gamma, beta, mean, var = (value(graph, x) for x in follower.input[1:5])
                scale = gamma / np.sqrt(var + attribute(follower, "epsilon"))
                weights = weights * scale.reshape(1, -1, 1, 1)
                bias = scale * (bias - mean) + beta
            else:
                break
            folded.append(follower)
            output = follower.output[0]
        if not folded:
            continue
        for follower in folded:
            graph.node.remove(follower)
        set_value(graph, node.input[1], weights.astype(np.float32))
        set_value(graph, node.name + ".bias", bias.astype(np.float32))
        node.input.append(node.name + ".bias")
        node.output[0] = output


def scalar(graph, name):
    if name not in initializer_names(graph):
        return None
    v = value(graph, name)
    return float(v.reshape(-1)[0]) if v.size == 1 else None


def fold_scalar_affine_into_conv(graph):
    for mul in list(graph.node):
        if mul.op_type != "Mul":
            continue
        factors = [scalar(graph, x) for x in mul.input]
        if factors.count(None) != 1:
            continue
        source = mul.input[factors.index(None)]
        conv = producer(graph, source)
        followers = consumers(graph, mul.output[0])
        if conv is None or conv.op_type != "Conv" or len(consumers(graph, source)) != 1 or len(followers) != 1:
            continue
        add = followers[0]
        offsets = [scalar(graph, x) for x in add.input]
        if add.op_type != "Add" or offsets.count(None) != 1:
            continue
        factor = next(f for f in factors if f is not None)
        offset = next(o for o in offsets if o is not None)
        weights = value(graph, conv.input[1])
        bias = value(graph, conv.input[2]) if len(conv.input) > 2 else np.zeros(weights.shape[0], np.float32)
        set_value(graph, conv.input[1], (weights * factor).astype(np.float32))
        set_value(graph, conv.name + ".affine", (bias * factor + offset).astype(np.float32))
        del conv.input[2:]
        conv.input.append(conv.name + ".affine")
        conv.output[0] = add.output[0]
        graph.node.remove(mul)
        graph.node.remove(add)


def hard_swish(graph):
    """x · Clip(x + 3, 0, 6) / 6 as x · Clip(x / 6 + 1/2, 0, 1): one scale-and-shift,
    one clip and one product, each a vectorised pass in OpenCV 4.6. Its own
    HardSwish layer is a scalar loop, and fused into a depthwise convolution it
    takes that convolution off its fast path (a 5 × 5 one became eight times slower)."""
    sixth, half = "hard_swish.sixth", "hard_swish.half"
    set_value(graph, sixth, np.array(1 / 6, np.float32))
    set_value(graph, half, np.array(0.5, np.float32))
    for clip in list(graph.node):
        if clip.op_type != "Clip" or attribute(clip, "min") != 0 or attribute(clip, "max") != 6:
            continue
        plus = producer(graph, clip.input[0])
        if plus is None or plus.op_type != "Add" or scalar(graph, plus.input[1]) != 3:
            continue
        x = plus.input[0]
        users = consumers(graph, clip.output[0])
        if len(users) != 1 or users[0].op_type != "Mul" or x not in users[0].input:
            continue
        times = users[0]
        after = consumers(graph, times.output[0])
        if len(after) != 1 or after[0].op_type != "Div" or scalar(graph, after[0].input[1]) != 6:
            continue
        if len(consumers(graph, plus.output[0])) != 1:
            continue
        divide, name = after[0], clip.name + ".hardswish"
        gate = [
            helper.make_node("Mul", [x, sixth], [name + ".scaled"], name=name + ".scaled"),
            helper.make_node("Add", [name + ".scaled", half], [name + ".shifted"], name=name + ".shifted"),
            helper.make_node("Clip", [name + ".shifted"], [name + ".gate"], name=name + ".gate", min=0.0, max=1.0),
            helper.make_node("Mul", [x, name + ".gate"], [divide.output[0]], name=name),
        ]
        at = list(graph.node).index(plus)  # where x is known and nothing reads the result yet
        for i, node in enumerate(gate):
            graph.node.insert(at + i, node)
        for node in (plus, clip, times, divide):
            graph.node.remove(node)


def depthwise_5x5_as_3x3(graph):
    """A depthwise 5 × 5 convolution (padding 2) as four depthwise 3 × 3 ones whose
    sum is the same: the kernel padded to 6 × 6 with zeros is split into its four
    3 × 3 quarters, each run on the input padded (2 before, 3 after) and cut to
    start at its quarter's offset. OpenCV 4.6 has a vectorised 3 × 3 depthwise
    kernel and none for 5 × 5, which ran some thirty times slower per output."""
    for conv in list(graph.node):
        if conv.op_type != "Conv" or attribute(conv, "kernel_shape") != [5, 5]:
            continue
        weights = value(graph, conv.input[1])
        groups = attribute(conv, "group", 1)
        if groups != weights.shape[0] or weights.shape[1] != 1 or attribute(conv, "pads") != [2, 2, 2, 2]:
            continue
        if attribute(conv, "dilations", [1, 1]) != [1, 1]:
            continue
        bias = value(graph, conv.input[2]) if len(conv.input) > 2 else np.zeros(groups, np.float32)
        kernel = np.zeros((groups, 1, 6, 6), np.float32)
        kernel[:, :, :5, :5] = weights
        name, strides = conv.name, attribute(conv, "strides", [1, 1])
        set_value(graph, name + ".pads", np.array([0, 0, 2, 2, 0, 0, 3, 3], np.int64))
        nodes = [helper.make_node("Pad", [conv.input[0], name + ".pads"], [name + ".padded"],
                                  name=name + ".pad", mode="constant")]
        parts = []
        for row in (0, 1):
            for column in (0, 1):
                part = f"{name}.{row}{column}"
                # Each quarter reads (output − 1) · stride + 3 rows from its offset:
                # the first ends 3 before the padded end, the second runs to it.
                ends = [-3 if row == 0 else np.iinfo(np.int64).max,
                        -3 if column == 0 else np.iinfo(np.int64).max]
                set_value(graph, part + ".starts", np.array([3 * row, 3 * column], np.int64))
                set_value(graph, part + ".ends", np.array(ends, np.int64))
                set_value(graph, part + ".axes", np.array([2, 3], np.int64))
                nodes.append(helper.make_node(
                    "Slice", [name + ".padded", part + ".starts", part + ".ends", part + ".axes"],
                    [part + ".cut"], name=part + ".cut"))
                quarter = kernel[:, :, 3 * row:3 * row + 3, 3 * column:3 * column + 3]
                set_value(graph, part + ".w", np.ascontiguousarray(quarter))
                inputs = [part + ".cut", part + ".w"]
                if not parts:  # the bias once
                    set_value(graph, part + ".b", bias.astype(np.float32))
                    inputs.append(part + ".b")
                nodes.append(helper.make_node("Conv", inputs, [part], name=part, kernel_shape=[3, 3],
                                              pads=[0, 0, 0, 0], strides=strides, group=groups))
                parts.append(part)
        nodes.append(helper.make_node("Add", parts[0:2], [name + ".top"], name=name + ".top"))
        nodes.append(helper.make_node("Add", parts[2:4], [name + ".bottom"], name=name + ".bottom"))
        nodes.append(helper.make_node("Add", [name + ".top", name + ".bottom"], [conv.output[0]], name=name))
        at = list(graph.node).index(conv)
        graph.node.remove(conv)
        for i, node in enumerate(nodes):
            graph.node.insert(at + i, node)


def shape_piece(graph, name):
    """One input of a shape's Concat: its constant values, or one None per length
    taken from a Shape node, with that length's index in the measured tensor."""
    node = producer(graph, name)
    if node is None:
        return value(graph, name).reshape(-1).tolist(), None
    if node.op_type == "Cast":
        return shape_piece(graph, node.input[0])
    assert node.op_type == "Slice"
    start, end = attribute(node, "starts")[0], attribute(node, "ends")[0]
    return [None] * (end - start), list(range(start, end))


def constant_reshapes(graph):
    for node in graph.node:
        if node.op_type != "Reshape" or node.input[1] in initializer_names(graph):
            continue
        concat = producer(graph, node.input[1])
        assert concat.op_type == "Concat"
        target = []
        for piece in concat.input:
            values, indices = shape_piece(graph, piece)
            for k, v in enumerate(values):
                if v is not None:
                    target.append(int(v))
                else:  # the same length at the same place is copied, another inferred
                    target.append(0 if indices[k] == len(target) else -1)
        assert target.count(-1) <= 1, (node.name, target)
        set_value(graph, node.name + ".target", np.array(target, np.int64))
        node.input[1] = node.name + ".target"


def squeeze_as_reshape(graph):
    for node in graph.node:
        if node.op_type != "Squeeze":
            continue
        axis = attribute(node, "axes")[0]
        source = producer(graph, node.input[0])
        if source.op_type == "Slice":  # one of attention's q, k, v: Slice(Transpose(Reshape))
            transpose = producer(graph, source.input[0])
            lengths = value(graph, producer(graph, transpose.input[0]).input[1]).tolist()
            dims = [lengths[p] for p in attribute(transpose, "perm")]
            del dims[axis]
            # One picture at a time; the one width-dependent length is inferred.
            target = [1 if i == 0 else (-1 if d == 0 else d) for i, d in enumerate(dims)]
        else:  # the height of one before the head: keep what comes before it
            target = [0] * axis + [-1]
        node.op_type = "Reshape"
        del node.attribute[:]
        set_value(graph, node.name + ".target", np.array(target, np.int64))
        node.input.append(node.name + ".target")


def layernorm_as_mvn(graph):
    for mean in list(graph.node):
        subtract = [c for c in consumers(graph, mean.output[0]) if c.op_type == "Sub"]
        if mean.op_type != "ReduceMean" or not subtract:
            continue
        chain = [mean, subtract[0]]
        for op in ("Pow", "ReduceMean", "Add", "Sqrt", "Div"):
            chain.append(next(c for c in consumers(graph, chain[-1].output[0]) if c.op_type == op))
        epsilon = float(value(graph, chain[4].input[1]))
        scale = consumers(graph, chain[-1].output[0])[0]
        assert scale.op_type == "Mul" and consumers(graph, scale.output[0])[0].op_type == "Add"
        gamma = value(graph, scale.input[1])
        for node in chain:
            graph.node.remove(node)
        mvn = helper.make_node("MVN", [mean.input[0]], [chain[-1].output[0]], name=mean.name + ".mvn",
                               normalize_variance=1, across_channels=0, eps=epsilon)
        graph.node.insert(list(graph.node).index(scale), mvn)
        scale.op_type = "MatMul"
        set_value(graph, scale.name + ".diagonal", np.diag(gamma).astype(np.float32))
        scale.input[1] = scale.name + ".diagonal"


def prune(graph):
    needed = {o.name for o in graph.output}
    kept = []
    for node in reversed(list(graph.node)):
        if any(o in needed for o in node.output):
            kept.append(node)
            needed.update(node.input)
    kept.reverse()
    del graph.node[:]
    graph.node.extend(kept)
    used = [i for i in graph.initializer if i.name in needed]
    del graph.initializer[:]
    graph.initializer.extend(used)


def drop_final_softmax(graph):
    last = graph.node[-1]
    assert last.op_type == "Softmax" and last.output[0] == graph.output[0].name
    graph.output[0].name = last.input[0]
    graph.node.remove(last)


def declare_input(graph, shape):
    dims = graph.input[0].type.tensor_type.shape.dim
    for i, v in enumerate(shape):
        dims[i].ClearField("dim_param")
        dims[i].dim_value = v


def main(kind, source, target):
    model = onnx.load(source)
    graph = model.graph
    constants_to_initializers(graph)
    clip_bounds_as_attributes(graph)
    if kind == "det":
        fold_into_convtranspose(graph)
    fold_scalar_affine_into_conv(graph)
    hard_swish(graph)
    if kind == "rec":
        constant_reshapes(graph)
        squeeze_as_reshape(graph)
        layernorm_as_mvn(graph)
        drop_final_softmax(graph)
        depthwise_5x5_as_3x3(graph)
        # 4.6 works out the layers' shapes at load from the declared input; any
        # width still runs afterwards.
        declare_input(graph, [1, 3, 48, 320])
    prune(graph)
    del graph.value_info[:]
    onnx.save(model, target)


if __name__ == "__main__":
    main(*sys.argv[1:4])
